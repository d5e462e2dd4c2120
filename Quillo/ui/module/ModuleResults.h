#pragma once

#include <cstdint>

#include <QPointer>
#include <QWidget>

#include "records/Module.h"
#include "ui/module/ItemListView.h"
#include "ui/module/ListControls.h"

class AllClearView;
class BannerSlot;
class CleanActionBar;
class CleanedBanner;
class CleanerStore;
class KeptToast;
struct UndoReport;
class CrossFade;
#include <QMessageBox>

// A module's scan result for review: the cleaned banner after a clean, then the list with its
// controls, or the all-clear view when nothing was found, and the floating clean bar. Cleaning
// asks first; the confirmation's texts follow what is ticked and where it would go. An item the
// user keeps leaves the list at once, a toast over the bar offering to take it back.
class ModuleResults : public QWidget {
    Q_OBJECT

public:
    ModuleResults(CleanerStore& store, Module module, QWidget* parent = nullptr);

    ItemListView* list() const { return list_; }
    ListControls* controls() const { return controls_; }
    CleanActionBar* actionBar() const { return bar_; }
    BannerSlot* bannerSlot() const { return banner_; }
    // The cleaned banner while it shows, else null.
    CleanedBanner* cleanedBanner() const;
    KeptToast* keptToast() const { return toast_; }
    // The all-clear view while it shows, else null.
    AllClearView* allClear() const;
    // The confirmation while it is open, else null.
    QMessageBox* confirmation() const { return confirmation_; }

    // Opens the confirmation for what is ticked (the clean bar's button does this).
    void confirmClean();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* makeListPage();
    void showContent();
    void showBanner();
    void refreshTotals();
    void placeBar();
    void neverClean(const ScanItem& item);
    void showUndoOutcome(const UndoReport& report);

    CleanerStore& store_;
    Module module_;
    BannerSlot* banner_;
    CrossFade* content_;
    QPointer<ListControls> controls_;
    QPointer<ItemListView> list_;
    CleanActionBar* bar_;
    KeptToast* toast_;
    bool showingList_ = false;
    // Whether this screen's banner asked for the undo that runs.
    bool undoAsked_ = false;
    QPointer<QMessageBox> confirmation_;
};
