#pragma once

#include <QWidget>

#include "records/Module.h"

class CleanerStore;
class CrossFade;
class FrameThrottle;
class SizeText;

// The top of a module screen: the module's bubble, title and tagline, and once a result is in
// (and was not refused access) how much it found, which fades in and out.
class ModuleHeader : public QWidget {
    Q_OBJECT

public:
    ModuleHeader(CleanerStore& store, Module module, QWidget* parent = nullptr);

    // The found figure while it shows, else null.
    SizeText* found() const { return found_; }
    void refresh();

    // Whether the header shows the found figure in the store's present state.
    static bool showsFound(const CleanerStore& store, Module module);

private:
    CleanerStore& store_;
    Module module_;
    CrossFade* foundSlot_;
    SizeText* found_ = nullptr;
    FrameThrottle* throttle_;
};
