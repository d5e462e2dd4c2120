#pragma once

#include <QPointer>

#include "records/Module.h"
#include "ui/design/CardButton.h"
#include "ui/design/SizeText.h"
#include "ui/home/HomeTexts.h"

class Chip;
class CleanerStore;
class FrameThrottle;
class QVBoxLayout;

// A Smart Scan module on the home screen: a tinted card with the module's bubble, how many of
// its items are picked, its name and tagline, and at the bottom its live figure (or that it was
// not scanned yet, or needs access). Opens the module's screen.
class ModuleCard : public CardButton {
    Q_OBJECT

public:
    ModuleCard(CleanerStore& store, Module module, QWidget* parent = nullptr);

    Module module() const { return module_; }
    // The picked chip's text, empty while it is hidden.
    QString pickedText() const;
    CardValue shownValue() const { return shownValue_; }
    SizeText* figure() const { return figure_; }
    void refresh();

private:
    void rebuildValue(CardValue value);

    CleanerStore& store_;
    Module module_;
    Chip* picked_;
    QWidget* valueSlot_;
    QVBoxLayout* valueLayout_;
    QPointer<SizeText> figure_;
    CardValue shownValue_;
    bool built_ = false;
    FrameThrottle* throttle_;
};

// One of the deeper modules on the home screen: a card with its bubble, name and tagline, and
// what its last scan found (or an arrow while it has none). Opens the module's screen.
class DeeperCard : public CardButton {
    Q_OBJECT

public:
    DeeperCard(CleanerStore& store, Module module, QWidget* parent = nullptr);

    Module module() const { return module_; }
    SizeText* figure() const { return figure_; }
    void refresh();

private:
    CleanerStore& store_;
    Module module_;
    SizeText* figure_;
    QWidget* arrow_;
};
