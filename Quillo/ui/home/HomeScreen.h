#pragma once

#include <QPointer>
#include <QWidget>

#include <QMessageBox>

class CleanerStore;
class DeeperCard;
class HomeHeader;
class ModuleCard;
class ScrollView;
class StorageCard;

// The Smart Scan's screen and the first one a user sees: the header with the one-click scan and
// its outcome, how the disk is filled, a card per Smart Scan module with its live figure, and
// the deeper modules. Everything shown is read from the store; every action is one store call.
class HomeScreen : public QWidget {
    Q_OBJECT

public:
    static constexpr int maximumColumnWidth = 1040;

    explicit HomeScreen(CleanerStore& store, QWidget* parent = nullptr);

    HomeHeader* header() const { return header_; }
    StorageCard* storageCard() const { return storage_; }
    const std::vector<ModuleCard*>& moduleCards() const { return moduleCards_; }
    const std::vector<DeeperCard*>& deeperCards() const { return deeperCards_; }
    QMessageBox* confirmation() const { return confirmation_; }

    // Opens the confirmation for the picked Smart Scan items (the header's clean button does).
    void confirmClean();

private:
    CleanerStore& store_;
    ScrollView* scroll_;
    HomeHeader* header_;
    StorageCard* storage_;
    std::vector<ModuleCard*> moduleCards_;
    std::vector<DeeperCard*> deeperCards_;
    QPointer<QMessageBox> confirmation_;
};
