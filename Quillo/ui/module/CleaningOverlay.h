#pragma once

#include <QWidget>

class Motion;

// Covers a screen while its clean runs: the screen dimmed under the canvas colour, and on a card
// in the middle the busy mascot and "Tidying up…". It takes the pointer and the keyboard focus, so
// nothing under it can be pressed meanwhile. Fades in and out.
class CleaningOverlay : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal shown READ shown WRITE setShown)

public:
    explicit CleaningOverlay(QWidget* covered);

    // Fades in (true) or out and hides.
    void present(bool on);

    // 0 → 1 as it fades in.
    qreal shown() const { return shown_; }
    void setShown(qreal shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* covered_;
    qreal shown_ = 0;
    Motion* motion_;
};
