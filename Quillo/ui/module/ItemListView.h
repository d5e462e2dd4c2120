#pragma once

#include <optional>
#include <vector>

#include <QListView>

#include "records/Date.h"
#include "records/ScanItem.h"
#include "ui/module/ItemRowLayout.h"
#include "ui/module/RelativeDate.h"

class ItemListModel;
class Motion;

// The result list: one painted row per item on a card that scrolls with them, its bottom fading
// under the floating clean bar. A click anywhere on a row ticks or unticks it; under the pointer
// a row shows its tint and the button that reveals the item in the file manager. Arrow keys move
// the current row (shown with a focus ring), Space ticks it, the menu key or a right click opens
// its context menu (tick, show in the file manager, never clean). Scrolls by pixel, the mouse
// wheel easing into each step.
//
// To assistive technology each row is one check box named by its name, size and tags, with
// actions to toggle it and to show it in the file manager.
class ItemListView : public QListView {
    Q_OBJECT

public:
    // Room kept free under the last row: the clean bar floats there.
    static constexpr qreal barRoom = 120;

    explicit ItemListView(ItemListModel* model, QWidget* parent = nullptr);
    ~ItemListView() override;

    ItemListModel& items() const { return *model_; }
    // The row's body (without the list's end room), in viewport coordinates.
    QRectF rowBody(int row) const;
    const ItemRowLayout& layoutOf(int row) const { return layouts_[std::size_t(row)]; }
    // How far each row's hover look is in, 0 → 1, and that of its reveal button.
    qreal hoverOf(int row) const;
    qreal revealHoverOf(int row) const;
    bool showsFocusOn(int row) const;

    void toggle(int row);
    void reveal(int row);
    // Asks for the row's item to be kept from every clean.
    void neverClean(int row);
    static QString neverCleanText();
    // Opens the row's context menu at `globalPosition` and returns it (it deletes itself).
    QWidget* openContextMenu(int row, QPoint globalPosition);
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

Q_SIGNALS:
    // "Never Clean This" was chosen for `item`.
    void neverCleanRequested(const ScanItem& item);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void relayoutRows();
    void relayoutRow(int row);
    int rowAt(QPoint position) const;
    bool onReveal(int row, QPoint position) const;
    void setHoverRow(int row);
    void setRevealHovered(bool hovered);
    void updateRow(int row);
    QString helpAt(QPoint position) const;
    void announceTicks();

    ItemListModel* model_;
    RelativeDate dates_;
    std::vector<ItemRowLayout> layouts_;
    qreal layoutWidth_ = -1;

    int hoverRow_ = -1;
    int leavingRow_ = -1;
    qreal hover_ = 0;
    qreal leaving_ = 0;
    bool revealHovered_ = false;
    qreal revealHover_ = 0;
    Motion* hoverMotion_;
    Motion* leavingMotion_;
    Motion* revealMotion_;

    int pressRow_ = -1;
    bool pressOnReveal_ = false;
    // The focus ring shows after keyboard use, not after a click.
    bool keyboardFocus_ = false;

    Motion* wheelMotion_;
    int wheelFrom_ = 0;
    int wheelTo_ = 0;

    std::optional<std::filesystem::path> keptCurrent_;
    int keptScroll_ = 0;
    std::vector<bool> ticks_;
};
