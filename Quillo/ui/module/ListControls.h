#pragma once

#include <QWidget>

#include "ui/design/DynamicColor.h"
#include "ui/module/ItemSort.h"

class SegmentedPicker;
class SelectAllBox;
class TextLabel;

// The row over a result list: the select-all box, the number of items, and the sort picker.
class ListControls : public QWidget {
    Q_OBJECT

public:
    explicit ListControls(DynamicColor color, QWidget* parent = nullptr);

    void setCounts(std::size_t total, std::size_t selected);
    void setSort(ItemSort sort);

    SelectAllBox* selectAllBox() const { return selectAll_; }
    SegmentedPicker* sortPicker() const { return picker_; }

Q_SIGNALS:
    // Tick all (true) or none.
    void selectAll(bool on);
    void sortChosen(ItemSort sort);

private:
    SelectAllBox* selectAll_;
    TextLabel* count_;
    SegmentedPicker* picker_;
};
