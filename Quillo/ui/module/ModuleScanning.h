#pragma once

#include <QWidget>

#include "records/Module.h"

class CleanerStore;
class FrameThrottle;
class ProgressCapsule;
class SizeText;
class SoftButton;
class TextLabel;

// A module's scan in progress: the busy mascot, the bytes found so far, the mean progress of
// the scan's targets, the path being looked at and a Stop button. However often the scan
// reports, the figures are read from the store at most once a frame.
class ModuleScanning : public QWidget {
    Q_OBJECT

public:
    ModuleScanning(CleanerStore& store, Module module, QWidget* parent = nullptr);

    SoftButton* stopButton() const { return stop_; }
    // Reads the store now (the frame's refresh).
    void refresh();

private:
    CleanerStore& store_;
    Module module_;
    SizeText* found_;
    ProgressCapsule* progress_;
    TextLabel* path_;
    SoftButton* stop_;
    FrameThrottle* throttle_;
};

// The mean of the store's progress over the module's scan targets, a target without progress
// counting as 0.
double meanProgress(const CleanerStore& store, Module module);
