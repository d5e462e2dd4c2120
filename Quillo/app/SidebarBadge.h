#pragma once

#include <QWidget>

#include "records/Module.h"
#include "ui/design/MonospacedDigits.h"

class CleanerStore;
class FrameThrottle;
class Spinner;

// What a sidebar row says about its module: a small spinner while it scans or cleans, the bytes
// it found once it has a result (nothing for none), else nothing.
class SidebarBadge : public QWidget {
public:
    enum class Shown { nothing, spinner, figure };

    SidebarBadge(CleanerStore& store, Module module, QWidget* parent = nullptr);

    Shown shown() const { return shown_; }
    const QString& text() const { return text_; }
    void refresh();

    // What the badge of `module` shows in the store's present state, and its text.
    static Shown shownFor(const CleanerStore& store, Module module);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CleanerStore& store_;
    Module module_;
    Shown shown_ = Shown::nothing;
    QString text_;
    MonospacedDigits digits_;
    QSizeF capsule_;
    Spinner* spinner_;
    FrameThrottle* throttle_;
};
