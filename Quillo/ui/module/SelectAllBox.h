#pragma once

#include <QCheckBox>

#include "ui/design/DynamicColor.h"

class Checkbox;

// The box over a result list that ticks or unticks all its items: empty with none ticked, a
// dash with some, a tick with all, and "Select all" or "Deselect all" beside it. A click asks
// for all or none (`clicked`); the state shown is only ever what the counts say. To assistive
// technology it is a check box that reports the mixed state too.
class SelectAllBox : public QCheckBox {
    Q_OBJECT

public:
    explicit SelectAllBox(DynamicColor color, QWidget* parent = nullptr);

    void setCounts(std::size_t selected, std::size_t total);
    bool allSelected() const { return allSelected_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void nextCheckState() override {}
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Checkbox* box_;
    bool allSelected_ = false;
};
