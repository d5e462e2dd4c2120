#pragma once

#include <QPointer>
#include <QWidget>

class Motion;
class Timing;

// Shows one page at a time, filling it. A new page cross-fades with the one it replaces, which
// is deleted once it has faded out; with a drop, both stand that much lower while invisible, so
// the new page rises into place and the old one sinks away. Pages are surfaces for the shadows
// inside them, so shadows fade with their page.
class CrossFade : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal fade READ fade WRITE setFade)

public:
    explicit CrossFade(QWidget* parent = nullptr);

    QWidget* current() const { return current_; }
    // Takes `page` (which may be null: nothing shown) and fades it in with `timing`.
    void setCurrent(QWidget* page, const Timing& timing, qreal drop = 0);

    // 0 → 1 from the previous page to the current one.
    qreal fade() const { return fade_; }
    void setFade(qreal fade);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setOpacity(QWidget* page, qreal opacity);
    void place(QWidget* page, qreal visibility);

    QPointer<QWidget> current_;
    QPointer<QWidget> leaving_;
    qreal fade_ = 1;
    qreal drop_ = 0;
    Motion* motion_;
};
