#pragma once

#include <QPointer>

#include "ui/design/Card.h"
#include "ui/design/PillButton.h"
#include "ui/tray/TrayTexts.h"

class CleanerStore;
class FrameThrottle;
class ProgressCapsule;
class QVBoxLayout;
class SizeText;

// The tray panel's Smart Scan: the scan as it runs, what it found with the way to review it, or
// the invitation to scan, in the Smart Scan's colours.
class JunkTile : public Card {
    Q_OBJECT

public:
    explicit JunkTile(CleanerStore& store, QWidget* parent = nullptr);

    JunkTileState state() const { return state_; }
    // The Review or Scan button of the state, if it has one.
    PillButton* button() const { return button_; }
    void refresh();

Q_SIGNALS:
    void reviewClicked();

private:
    void rebuild(JunkTileState state);
    void buildScanning();
    void buildResult();
    void buildIdle();

    FrameThrottle* throttle_;
    CleanerStore& store_;
    QWidget* body_ = nullptr;
    QVBoxLayout* column_ = nullptr;
    JunkTileState state_ = JunkTileState::idle;
    bool built_ = false;
    QPointer<PillButton> button_;
    QPointer<SizeText> found_;
    QPointer<ProgressCapsule> progress_;
};
