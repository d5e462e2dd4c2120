#pragma once

#include <cstdint>

#include <QPointer>
#include <QWidget>

#include "records/Module.h"

class DropShadow;
class PillButton;
class SizeText;
class SoftButton;
class TextLabel;

// The capsule floating over the bottom of a result list: what is ticked (size and count), a
// Rescan button and the clean button, which is disabled while nothing is ticked and answers to
// Return.
class CleanActionBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int maximumWidth = 560;

    explicit CleanActionBar(Module module, QWidget* parent = nullptr);

    void setSelection(std::size_t count, std::int64_t bytes);

    PillButton* cleanButton() const { return clean_; }
    SoftButton* rescanButton() const { return rescan_; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void rescanClicked();
    void cleanClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    SizeText* bytes_;
    TextLabel* count_;
    SoftButton* rescan_;
    PillButton* clean_;
    QPointer<DropShadow> shadow_;
};
