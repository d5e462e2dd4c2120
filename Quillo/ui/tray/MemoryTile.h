#pragma once

#include "ui/design/Card.h"

class CleanerStore;
class SizeText;

// The tray panel's memory in use.
class MemoryTile : public Card {
public:
    explicit MemoryTile(CleanerStore& store, QWidget* parent = nullptr);

    SizeText* used() const { return used_; }
    void refresh();

private:
    CleanerStore& store_;
    SizeText* used_;
};
