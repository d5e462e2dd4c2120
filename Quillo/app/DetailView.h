#pragma once

#include <optional>

#include <QWidget>

#include "records/Module.h"

class CanvasBackground;
class CleanerStore;
class CrossFade;

// The main window's right column: the canvas with the shown module's wash, and on it the home
// screen for the Smart Scan (or when nothing is selected) or the module's screen. A change of
// module replaces the screen: the new one rises into place as the old one fades and sinks away.
class DetailView : public QWidget {
public:
    // How far the screens rise and sink as they cross.
    static constexpr qreal screenDrop = 10;
    static constexpr int topInset = 14;

    explicit DetailView(CleanerStore& store, QWidget* parent = nullptr);

    // The module whose screen is shown: the selected one, the Smart Scan when none is.
    Module shownModule() const { return shown_; }
    QWidget* screen() const;

private:
    void showSelected();

    CleanerStore& store_;
    CanvasBackground* canvas_;
    CrossFade* screens_;
    Module shown_ = Module::smartScan;
    bool built_ = false;
};
