#pragma once

#include <QWidget>

// Fades content out as it scrolls under a floating action bar: over the bottom `height` of the
// widget it covers, the canvas colour rises from clear to opaque. The backdrop there must be the
// plain canvas, which it is wherever the corner wash does not reach (the bottom of a screen).
// It follows the covered widget's size and lets the pointer through.
class ActionBarFade : public QWidget {
public:
    // Lies over the bottom of `covered`, as its child.
    ActionBarFade(QWidget* covered, qreal height);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    QWidget* covered_;
    qreal height_;
};
