#pragma once

#include "ui/design/Card.h"

class CleanerStore;
class LegendRow;
class StorageBar;
class TextLabel;

// How the start-up disk is filled: its name and free space, a bar of what the Smart Scan
// modules found, everything else and the free space, and a legend of the same.
class StorageCard : public Card {
public:
    explicit StorageCard(CleanerStore& store, QWidget* parent = nullptr);

    StorageBar* bar() const { return bar_; }
    LegendRow* legend() const { return legend_; }
    void refresh();

private:
    CleanerStore& store_;
    TextLabel* volume_;
    TextLabel* free_;
    StorageBar* bar_;
    LegendRow* legend_;
};
