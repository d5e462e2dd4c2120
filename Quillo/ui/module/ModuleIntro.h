#pragma once

#include <QWidget>

#include "records/Module.h"

class PillButton;

// A module before its first scan: its bubble in a tinted circle with sparkles, what it looks for
// and where, and the scan button (the default button: Return starts the scan).
class ModuleIntro : public QWidget {
    Q_OBJECT

public:
    explicit ModuleIntro(Module module, QWidget* parent = nullptr);

    PillButton* scanButton() const { return scan_; }

Q_SIGNALS:
    void scanClicked();

private:
    PillButton* scan_;
};
