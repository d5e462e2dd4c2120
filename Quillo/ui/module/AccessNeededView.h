#pragma once

#include <QWidget>

#include "records/Module.h"

class PillButton;
class SoftButton;

// What a scan refused access shows instead of a list: why the module could not look, a button
// to the place where access is given, and one to try again.
class AccessNeededView : public QWidget {
    Q_OBJECT

public:
    explicit AccessNeededView(Module module, QWidget* parent = nullptr);

    PillButton* settingsButton() const { return settings_; }
    SoftButton* tryAgainButton() const { return tryAgain_; }

Q_SIGNALS:
    void settingsClicked();
    void tryAgainClicked();

private:
    PillButton* settings_;
    SoftButton* tryAgain_;
};
