#include "cli/UndoCommand.h"

#include <cstdio>
#include <set>
#include <string>

#include <QEventLoop>
#include <QJsonArray>

#include "cli/JsonOutput.h"
#include "cli/TerminalText.h"
#include "cli/TextStyle.h"
#include "store/CleanerStore.h"

namespace {

UndoReport undo(CleanerStore& store)
{
    std::optional<UndoReport> finished;
    QEventLoop loop;
    QObject::connect(&store, &CleanerStore::undoFinished, &loop, [&](const UndoReport& report) {
        finished = report;
        loop.quit();
    });
    store.undoLastClean();
    // With nothing to undo, the answer comes at once.
    if (!finished)
        loop.exec();
    return *finished;
}

// Items, not entries: an item's extra locations went to the Trash with it and come back with it.
std::size_t itemsBack(const UndoReport& report)
{
    std::set<std::filesystem::path> all;
    std::set<std::filesystem::path> notBack;
    for (const UndoReport::Entry& entry : report.entries) {
        all.insert(entry.item);
        if (entry.error)
            notBack.insert(entry.item);
    }
    return all.size() - notBack.size();
}

void printText(const UndoReport& report)
{
    switch (report.kind) {
    case UndoReport::Kind::nothingToUndo: std::printf("Nothing to undo: no clean left anything in the Trash to put back.\n"); return;
    case UndoReport::Kind::deletedForGood: std::printf("Nothing to undo: the last clean deleted its items for good.\n"); return;
    case UndoReport::Kind::undone: break;
    }
    const std::size_t back = itemsBack(report);
    std::printf("Put back %zu item%s where %s.\n", back, back == 1 ? "" : "s", back == 1 ? "it was" : "they were");
    const TextStyle& style = TextStyle::of(1);
    for (const UndoReport::Entry& entry : report.entries) {
        if (entry.error)
            std::printf("%s %s: %s\n", style.red("Not put back:").c_str(), TerminalText::path(entry.entry.originalPath).c_str(),
                        UndoReport::reason(entry.error).c_str());
    }
}

QString kindName(UndoReport::Kind kind)
{
    switch (kind) {
    case UndoReport::Kind::undone: return "undone";
    case UndoReport::Kind::deletedForGood: return "deletedForGood";
    case UndoReport::Kind::nothingToUndo: break;
    }
    return "nothingToUndo";
}

QJsonObject json(const UndoReport& report, const QDateTime& undoneAt)
{
    QJsonArray entries;
    for (const UndoReport::Entry& entry : report.entries) {
        QJsonObject object{{"result", entry.error ? "failed" : "restored"}};
        JsonOutput::setPath(object, "path", entry.entry.originalPath.native());
        JsonOutput::setPath(object, "item", entry.item.native());
        if (entry.error)
            object["reason"] = JsonOutput::text(UndoReport::reason(entry.error));
        entries.append(object);
    }
    QJsonObject document = JsonOutput::header("quillo-undo");
    document["undoneAt"] = JsonOutput::utcTime(undoneAt);
    document["result"] = kindName(report.kind);
    document["entries"] = entries;
    return document;
}

int runUndo(const QCommandLineParser& parsed)
{
    CleanerStore store(StoreServices::live());
    const QDateTime undoneAt = QDateTime::currentDateTimeUtc();
    const UndoReport report = undo(store);
    if (parsed.isSet("json"))
        JsonOutput::write(json(report, undoneAt));
    else
        printText(report);
    const bool allBack = report.kind == UndoReport::Kind::undone && report.restoredCount() == report.entries.size();
    return allBack ? ExitStatus::success : ExitStatus::failure;
}

} // namespace

const Command undoCommand{
    .name = "undo",
    .synopsis = "[OPTION]...",
    .summary = "Put back what the last clean moved to the Trash",
    .description =
        "Puts back every item the last clean moved to the Trash, with its extra paths, through the "
        "Trash's own records, as the file manager's Restore does. Nothing is ever overwritten: an item "
        "whose place is taken now stays in the Trash and is named, and can be put back by running "
        "undo again once its place is free. An item no longer in the Trash, or whose Trash record is "
        "gone, is named too.\n\n"
        "A clean that deleted its items for good cannot be undone, and the record of a clean is "
        "replaced by the next clean that removes anything. The exit status is 1 when anything stayed, "
        "or there was nothing to undo.",
    .options = {{"json", "Write one JSON document of what came back and what stayed, and why (the "
                         "quillo-undo format, version 1)."}},
    .operands = Operands::none,
    .run = runUndo,
};
