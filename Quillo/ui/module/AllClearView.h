#pragma once

#include <QWidget>

#include "records/Module.h"

class SoftButton;

// What a scan that found nothing worth removing shows: a delighted mascot and a "Scan again"
// button.
class AllClearView : public QWidget {
    Q_OBJECT

public:
    explicit AllClearView(Module module, QWidget* parent = nullptr);

    SoftButton* scanAgainButton() const { return scanAgain_; }

Q_SIGNALS:
    void scanAgainClicked();

private:
    SoftButton* scanAgain_;
};
