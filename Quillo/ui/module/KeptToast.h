#pragma once

#include <string>

#include <QTimer>
#include <QWidget>

class Motion;
class SoftButton;
class TextLabel;

// The capsule that tells an item is kept now and will never be cleaned, over the clean bar for a
// few seconds, with a button that takes the item off the keep list again. Fades in and out.
class KeptToast : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal shown READ shown)

public:
    // How long it stays unless the pointer rests on it.
    static constexpr int lingerMs = 8000;

    explicit KeptToast(QWidget* parent = nullptr);

    // Shows it for the item named `name`, kept by the keep-list entry `entry`.
    void showFor(const QString& name, const std::string& entry);
    // Fades it out.
    void dismiss();

    const QString& text() const;
    SoftButton* undoButton() const { return undo_; }
    // 0 → 1 as it comes in.
    qreal shown() const { return shown_; }

    QSize sizeHint() const override;

Q_SIGNALS:
    // The button was pressed: `entry` should leave the keep list.
    void undoRequested(const std::string& entry);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setShown(qreal shown);

    TextLabel* text_;
    SoftButton* undo_;
    Motion* motion_;
    QTimer linger_;
    std::string entry_;
    qreal shown_ = 0;
};
