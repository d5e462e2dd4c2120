#pragma once

#include <QPointer>
#include <QWidget>

#include "records/ScanPhase.h"
#include "ui/design/PillButton.h"
#include "ui/home/ProgressReadout.h"

class CleanerStore;
class FrameThrottle;
class Mascot;
class QHBoxLayout;
class TextLabel;
struct UndoReport;

// The top of the home screen, following the Smart Scan: the mascot's mood, the title, the line
// under it and the buttons of the phase (scan; progress and stop; rescan and clean; undo while
// the clean can be undone, and done).
// Live figures are read from the store at most once a frame.
class HomeHeader : public QWidget {
    Q_OBJECT

public:
    explicit HomeHeader(CleanerStore& store, QWidget* parent = nullptr);

    const QString& title() const;
    const QString& subtitle() const;
    const QString& failures() const;
    // The default button of the phase (scan, clean or done), if it has one.
    PillButton* primaryButton() const { return primary_; }
    ProgressReadout* readout() const { return readout_; }
    QWidget* actions() const { return actions_; }
    void refresh();

Q_SIGNALS:
    // The clean button was pressed: the screen confirms.
    void cleanClicked();

private:
    void rebuildActions();
    void showUndoOutcome(const UndoReport& report);

    CleanerStore& store_;
    Mascot* mascot_;
    TextLabel* title_;
    TextLabel* subtitle_;
    TextLabel* failures_;
    QWidget* actions_;
    QHBoxLayout* actionRow_;
    QPointer<PillButton> primary_;
    QPointer<ProgressReadout> readout_;
    ScanPhase shownPhase_;
    bool shownUndo_ = false;
    bool built_ = false;
    // Whether this header asked for the undo that runs, and what the last one left behind.
    bool undoAsked_ = false;
    QString undoNote_;
    FrameThrottle* throttle_;
};
