#pragma once

#include <QWidget>

#include "records/CleanSummary.h"

class SoftButton;
class TextLabel;

// The outcome of a clean over the list: how much went, where it went, how many could not go,
// a button that dismisses it and, while the clean can be undone, one that undoes it.
class CleanedBanner : public QWidget {
    Q_OBJECT

public:
    explicit CleanedBanner(const CleanSummary& summary, QWidget* parent = nullptr);

    void setUndoAvailable(bool available);
    SoftButton* undoButton() const { return undo_; }
    // Replaces the line under the title (what an undo left behind).
    void setDetail(const QString& text);
    const QString& detail() const;

Q_SIGNALS:
    void dismissed();
    void undoClicked();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextLabel* detail_;
    SoftButton* undo_;
};
