#pragma once

#include <QPointer>

#include "ui/design/CardButton.h"
#include "ui/tray/TrayTexts.h"

class CleanerStore;
class QVBoxLayout;
class SizeText;
class TextLabel;

// The tray panel's Trash: how much it holds once scanned. Clicking it opens the Trash in the
// main window.
class TrashTile : public CardButton {
    Q_OBJECT

public:
    explicit TrashTile(CleanerStore& store, QWidget* parent = nullptr);

    TrashTileState state() const { return state_; }
    // "Needs access" or "Not scanned" while one shows.
    QString note() const;
    void refresh();

private:
    CleanerStore& store_;
    QVBoxLayout* column_;
    TrashTileState state_ = TrashTileState::notScanned;
    bool built_ = false;
    QPointer<QWidget> value_;
    QPointer<SizeText> figure_;
    QPointer<TextLabel> note_;
};
