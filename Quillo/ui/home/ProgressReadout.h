#pragma once

#include <optional>

#include <QWidget>

#include "ui/design/MonospacedDigits.h"

class ProgressCapsule;

// A progress figure over a bar, right-aligned: "42% · 1.2 GB found" in steady-width digits over
// a 220-wide striped capsule in the brand colour (full and moving when there is no fraction).
class ProgressReadout : public QWidget {
public:
    ProgressReadout(const QString& label, std::optional<qreal> fraction, QWidget* parent = nullptr);

    void set(const QString& label, std::optional<qreal> fraction);
    const QString& label() const { return label_.text(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    MonospacedDigits label_;
    ProgressCapsule* bar_;
};
