#pragma once

#include <vector>

#include <QLayout>

// A grid whose columns adapt to its width: as many columns as fit at `minimumColumnWidth` with
// `spacing` between them (at least one), sharing the width equally; items fill the rows in order,
// each row as tall as its tallest item. Rows are `rowSpacing` apart.
class AdaptiveGrid : public QLayout {
public:
    AdaptiveGrid(qreal minimumColumnWidth, int spacing, int rowSpacing, QWidget* parent = nullptr);
    ~AdaptiveGrid() override;

    // How many columns fit in `width`.
    static int columnsFor(qreal width, qreal minimumColumnWidth, int spacing);

    void addItem(QLayoutItem* item) override;
    int count() const override { return int(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    int arrange(const QRect& rect, bool apply) const;

    std::vector<QLayoutItem*> items_;
    qreal minimumColumnWidth_;
    int rowSpacing_;
};
