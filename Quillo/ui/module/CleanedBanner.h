#pragma once

#include <QWidget>

#include "records/CleanSummary.h"

class TextLabel;

// The outcome of a clean over the list: how much went, where it went, how many could not go,
// and a button that dismisses it.
class CleanedBanner : public QWidget {
    Q_OBJECT

public:
    explicit CleanedBanner(const CleanSummary& summary, QWidget* parent = nullptr);

Q_SIGNALS:
    void dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;
};
