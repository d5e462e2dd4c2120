#pragma once

#include <QWidget>

class CleanerStore;
class IconButton;
class Mascot;
class TextLabel;

// The top of the tray panel: the mascot, busy while the Smart Scan runs; the name over a line on
// the disk's state; and the way to the settings.
class PanelHeader : public QWidget {
    Q_OBJECT

public:
    explicit PanelHeader(CleanerStore& store, QWidget* parent = nullptr);

    const QString& status() const;
    IconButton* settingsButton() const { return settings_; }
    void refresh();

Q_SIGNALS:
    void settingsClicked();

private:
    CleanerStore& store_;
    Mascot* mascot_;
    TextLabel* status_;
    IconButton* settings_;
};
