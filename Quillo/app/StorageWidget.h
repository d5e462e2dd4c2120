#pragma once

#include "ui/design/Card.h"

class CleanerStore;
class SizeText;
class TextLabel;
class UsageBar;

// The sidebar's card of the start-up disk: its name, the free space, and a bar of the used share,
// in the danger colour while the disk is nearly full. Asks for fresh figures whenever it is shown.
class StorageWidget : public Card {
public:
    explicit StorageWidget(CleanerStore& store, QWidget* parent = nullptr);

    SizeText* free() const { return free_; }
    UsageBar* bar() const { return bar_; }
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    CleanerStore& store_;
    TextLabel* volume_;
    SizeText* free_;
    UsageBar* bar_;
};
