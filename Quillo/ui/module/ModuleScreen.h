#pragma once

#include <QWidget>

#include "records/Module.h"

class CleanerStore;
class CleaningOverlay;
class CrossFade;
class ModuleHeader;

// The screen of one module (any but the Smart Scan): the header, and below it the introduction,
// the scan in progress, the result for review, or the explanation of refused access, whichever
// the store's state calls for, each change cross-fading. A clean in progress covers it all.
// Everything shown is read from the store; every action is one store call. The window places
// one per module shown.
class ModuleScreen : public QWidget {
    Q_OBJECT

public:
    enum class Body { intro, scanning, results, accessNeeded };

    ModuleScreen(CleanerStore& store, Module module, QWidget* parent = nullptr);

    Module module() const { return module_; }
    Body body() const { return body_; }
    QWidget* bodyWidget() const;
    ModuleHeader* header() const { return header_; }
    CleaningOverlay* cleaningOverlay() const { return overlay_; }

    // The body the store's present state calls for: the access explanation whenever the result
    // was refused access, else by phase.
    static Body bodyFor(const CleanerStore& store, Module module);

private:
    void showBody();
    QWidget* makeBody(Body body);

    CleanerStore& store_;
    Module module_;
    ModuleHeader* header_;
    CrossFade* bodySlot_;
    Body body_ = Body::intro;
    CleaningOverlay* overlay_;
};
