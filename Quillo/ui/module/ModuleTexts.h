#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <QCoreApplication>
#include <QString>

#include "records/CleanSummary.h"
#include "records/Date.h"
#include "records/Module.h"
#include "records/ScanItem.h"
#include "store/UndoReport.h"
#include "ui/module/ItemSort.h"

class RelativeDate;

// Every text of the module screen, as plain functions of what it shows.
class ModuleTexts {
    Q_DECLARE_TR_FUNCTIONS(ModuleTexts)

public:
    // A text of the module catalogue, translated.
    static QString catalogue(std::string_view text);
    // The same for a text of the platform's words.
    static QString platform(std::string_view text);

    static QString scanButton(Module module);
    static QString scanningTitle(Module module);
    // The path a scan is looking at, or "Getting started…" before it has reported one.
    static QString currentPath(const std::string& path);
    static QString itemCount(std::size_t count);
    static QString selectedCount(std::size_t count);
    static QString selectAll(bool allSelected);
    static QString sortLabel(ItemSort sort);

    struct CleanButton {
        QString text;
        QString symbol;
    };
    static CleanButton cleanButton(Module module);

    static QString bannerTitle(const CleanSummary& summary);
    static QString bannerDetail(const CleanSummary& summary);
    // What an undo of the clean put back and what it left, and why.
    static QString undoLeftBehind(const UndoReport& report);
    static QString allClearMessage(Module module);
    static QString accessTitle(Module module);
    static QString accessMessage(Module module);
    // The settings page the access view opens.
    static const char* accessSettingsURL(Module module);

    // The row's second line: the detail, and how long ago its date was.
    static QString rowSubtitle(const ScanItem& item, const RelativeDate& dates, Date now);
    // The extra locations removed with the item, one per line, the home folder written "~".
    static QString extraLocations(const ScanItem& item);
    // What assistive technology reads for a row: name, size and tags.
    static QString rowAccessibleName(const ScanItem& item);
    static QString size(std::int64_t bytes);
};
