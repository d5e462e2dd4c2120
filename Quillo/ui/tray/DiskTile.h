#pragma once

#include "ui/design/Card.h"

class CleanerStore;
class SizeText;
class TextLabel;
class UsageBar;

// The tray panel's disk: its name and how much of it is used, the free space large, and a bar.
class DiskTile : public Card {
public:
    explicit DiskTile(CleanerStore& store, QWidget* parent = nullptr);

    SizeText* free() const { return free_; }
    UsageBar* bar() const { return bar_; }
    void refresh();

private:
    CleanerStore& store_;
    TextLabel* volume_;
    TextLabel* used_;
    SizeText* free_;
    UsageBar* bar_;
};
