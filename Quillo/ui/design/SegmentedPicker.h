#pragma once

#include <vector>

#include <QWidget>

class Motion;
class QAbstractButton;
class QButtonGroup;

// A segmented control: a sunken capsule holding one segment per choice, the chosen one lifted on
// a card-coloured capsule that slides to a new choice. Each segment is a radio button to the
// keyboard and to assistive technology (Tab reaches the chosen one, arrows move the choice).
class SegmentedPicker : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal slide READ slide WRITE setSlide)

public:
    // `title` names the control for assistive technology; it is not shown.
    SegmentedPicker(const QStringList& labels, const QString& title, QWidget* parent = nullptr);

    // The chosen segment; -1 while none is (a stored value that no segment stands for).
    int current() const { return current_; }
    void setCurrent(int index);

    // 0 → 1 as the thumb slides from the previous choice to the current one.
    qreal slide() const { return slide_; }
    void setSlide(qreal slide);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    // The user chose another segment.
    void currentChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void relayout();
    void choose(int index, bool byUser);

    std::vector<QAbstractButton*> segments_;
    std::vector<QRectF> frames_;
    QButtonGroup* group_;
    int current_ = 0;
    int previous_ = 0;
    qreal slide_ = 1;
    Motion* motion_;
};
