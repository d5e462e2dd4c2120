#include "cli/CleanCommand.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include <QEventLoop>
#include <QSocketNotifier>

#include "cli/ArgumentText.h"
#include "cli/CleanJson.h"
#include "cli/CleanOutcome.h"
#include "cli/CleanPlan.h"
#include "cli/Exclusions.h"
#include "cli/ItemList.h"
#include "cli/ItemListing.h"
#include "cli/JsonOutput.h"
#include "cli/ModuleName.h"
#include "cli/ScanSession.h"
#include "cli/TerminalText.h"
#include "cli/TextStyle.h"
#include "cli/UsageError.h"
#include "foundation/ByteFormat.h"
#include "store/CleanerStore.h"
#include "platform/Result.h"
#include "platform/StopSignals.h"
#include "platform/Terminal.h"

namespace {

const QString where = "quillo clean";

struct CleanOptions {
    Module module = Module::smartScan;
    // Set when the items to clean were named (by --item or --items-from, even an empty list):
    // then exactly those are ticked, never the scan's own choice.
    std::optional<std::vector<std::filesystem::path>> named;
    bool dryRun = false;
    bool yes = false;
    bool json = false;
    // This run's choice over the preference, when one was made.
    std::optional<bool> deleteImmediately;
};

// A path as the scans write it: absolute, without "." or ".." parts or a trailing slash. Fails
// for an empty path, and for a relative one when the working folder is gone.
platform::Result<std::filesystem::path> normalized(const std::string& bytes)
{
    if (bytes.empty())
        return platform::Result<std::filesystem::path>::failure(ENOENT);
    std::error_code error;
    auto path = std::filesystem::absolute(std::filesystem::path(bytes), error).lexically_normal();
    if (error)
        return error;
    if (!path.has_filename() && path != path.root_path())
        path = path.parent_path();
    return path;
}

bool addNamed(CleanOptions& options, const std::string& bytes, const QString& from, int& status)
{
    auto path = normalized(bytes);
    if (!path) {
        status = usageError(where, from + " '" + QString::fromStdString(TerminalText::escaped(bytes)) +
                                       "': " + QString::fromStdString(path.error().message()));
        return false;
    }
    options.named->push_back(std::move(*path));
    return true;
}

std::optional<CleanOptions> parse(const QCommandLineParser& parsed, int& status)
{
    CleanOptions options;
    options.module = *ModuleName::parse(parsed.positionalArguments().front());
    options.dryRun = parsed.isSet("dry-run");
    options.yes = parsed.isSet("yes");
    options.json = parsed.isSet("json");
    if (parsed.isSet("trash") && parsed.isSet("permanent")) {
        status = usageError(where, "--trash and --permanent exclude each other");
        return std::nullopt;
    }
    if (parsed.isSet("trash") || parsed.isSet("permanent"))
        options.deleteImmediately = parsed.isSet("permanent");
    if (!parsed.isSet("item") && !parsed.isSet("items-from"))
        return options;
    options.named.emplace();
    for (const QString& item : parsed.values("item")) {
        if (!addNamed(options, ArgumentText::toBytes(item), "--item", status))
            return std::nullopt;
    }
    for (const QString& source : parsed.values("items-from")) {
        // The list is read at once: its mistakes are told before a long scan, not after.
        if (source == QLatin1String("-") && !options.yes && !options.dryRun) {
            status = usageError(where, "the items come from standard input, so nothing is left to confirm with: "
                                       "pass --yes (or --dry-run)");
            return std::nullopt;
        }
        const ItemList list = ItemList::read(source, parsed.isSet("null"));
        if (!list.error.isEmpty()) {
            status = usageError(where, "cannot read '" + QString::fromStdString(TerminalText::escaped(
                                                             ArgumentText::toBytes(source))) + "': " + list.error);
            return std::nullopt;
        }
        for (const std::string& path : list.paths) {
            if (!addNamed(options, path, "--items-from", status))
                return std::nullopt;
        }
    }
    return options;
}

// Replaces the scan's own ticks with exactly the named items; false (after saying which) when
// one of them is not an item of the result, in which case nothing is ticked.
bool tickExactly(CleanerStore& store, Module module, const std::vector<std::filesystem::path>& wanted)
{
    std::vector<ScanItem> all;
    for (Module target : module.scanTargets()) {
        if (const CategoryResult* result = store.result(target))
            all.insert(all.end(), result->items.begin(), result->items.end());
    }
    std::vector<ScanItem> chosen;
    for (const auto& path : wanted) {
        auto found = std::find_if(all.begin(), all.end(), [&](const ScanItem& item) { return item.url == path; });
        if (found == all.end()) {
            std::fprintf(stderr, "quillo clean: %s is not an item of %s; nothing was removed\n",
                         TerminalText::path(path).c_str(), ModuleName::of(module).toUtf8().constData());
            return false;
        }
        chosen.push_back(*found);
    }
    store.setSelected(false, all);
    store.setSelected(true, chosen);
    return true;
}

std::string itemCount(int count) { return std::to_string(count) + (count == 1 ? " item" : " items"); }

std::string byteCount(std::int64_t bytes) { return ByteFormat::string(bytes, ByteFormat::Style::file).toStdString(); }

bool confirmed(const CleanPlan::Amounts& amounts)
{
    std::string question;
    if (amounts.trashedItems > 0)
        question = "Move " + itemCount(amounts.trashedItems) + " (" + byteCount(amounts.trashedBytes) + ") to the Trash";
    if (amounts.deletedItems > 0) {
        question += question.empty() ? "Delete " : " and delete ";
        question += itemCount(amounts.deletedItems) + " (" + byteCount(amounts.deletedBytes) + ") for good";
    }
    std::fprintf(stderr, "%s? [y/N] ", question.c_str());
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes";
}

// Killed between writing a Trash record and moving the item, a clean would leave a record the
// desktop's Trash cannot read: SIGINT and SIGTERM stop it after the item in hand instead (a second
// one ends the program at once).
void waitUntilCleaned(CleanerStore& store, Module module)
{
    QEventLoop loop;
    QObject::connect(&store, &CleanerStore::phaseChanged, &loop, [&](Module changed) {
        if (changed == module && store.phase(module).kind() == ScanPhase::Kind::cleaned)
            loop.quit();
    });
    const platform::StopSignals stopSignals;
    std::optional<QSocketNotifier> signalled;
    if (stopSignals.fd() >= 0) {
        signalled.emplace(stopSignals.fd(), QSocketNotifier::Read);
        QObject::connect(&*signalled, &QSocketNotifier::activated, &loop, [&] {
            signalled->setEnabled(false);
            std::fprintf(stderr, "quillo clean: stopping after the current item\n");
            store.stopCleaning(module);
        });
    }
    store.clean(module);
    loop.exec();
}

// Failed items, or items a stopped clean did not reach, make the exit status 1.
int exitStatus(const CleanPlan& plan, const CleanOutcome& outcome)
{
    const bool allRemoved = std::all_of(plan.entries.begin(), plan.entries.end(), [&](const CleanPlan::Entry& entry) {
        return outcome.result(entry.item) == CleanOutcome::Result::removed;
    });
    return allRemoved ? ExitStatus::success : ExitStatus::failure;
}

// The summary, then a line for each item that stayed.
void printReport(const CleanPlan& plan, const CleanOutcome& outcome)
{
    const TextStyle& style = TextStyle::of(1);
    CleanPlan::Amounts removed;
    int failed = 0;
    int notReached = 0;
    for (const CleanPlan::Entry& entry : plan.entries) {
        switch (outcome.result(entry.item)) {
        case CleanOutcome::Result::removed: removed.add(0, outcome.deletedForGood(entry.item)); break;
        case CleanOutcome::Result::failed: ++failed; break;
        case CleanOutcome::Result::notReached: ++notReached; break;
        }
    }
    // The bytes as the cleaner counted them: what actually went.
    removed.trashedBytes = outcome.trashedBytes();
    removed.deletedBytes = outcome.deletedBytes();
    if (removed.items() == 0)
        std::printf("Nothing was removed: %s failed.\n", itemCount(failed).c_str());
    else
        std::printf("%s: %s cleaned, %d failed.\n", style.bold(describe(removed, Tense::past)).c_str(),
                    itemCount(removed.items()).c_str(), failed);
    for (const CleanPlan::Entry& entry : plan.entries) {
        if (outcome.result(entry.item) == CleanOutcome::Result::failed)
            std::printf("%s %s: %s\n", style.red("Not cleaned:").c_str(), TerminalText::path(entry.item.url).c_str(),
                        TerminalText::escaped(outcome.reason(entry.item)).c_str());
    }
    if (notReached > 0)
        std::printf("Stopped by a signal: %s left untouched.\n", itemCount(notReached).c_str());
}

// Tells what a clean does at each step: as text for a person on stdout, or with --json as one
// document there, and then, when a person must confirm, the listing on stderr.
class Telling {
public:
    Telling(const CleanOptions& options, const CleanPlan& plan)
        : options_(options), plan_(plan), startedAt_(QDateTime::currentDateTimeUtc())
    {
    }

    void nothingTicked() const
    {
        if (options_.json)
            writeJson(nullptr);
        else
            std::printf("Nothing is ticked: nothing to clean.\n");
    }

    void listing(const CleanerStore& store) const
    {
        if (options_.json && (options_.yes || options_.dryRun))
            return;
        std::FILE* out = options_.json ? stderr : stdout;
        std::fprintf(out, "%s:\n", options_.dryRun ? "Would clean" : "Will clean");
        printItems(out, store, plan_.items());
        std::fflush(out);
    }

    void dryRun() const
    {
        if (options_.json)
            writeJson(nullptr);
        else
            std::printf("%s: %s.\n", describe(plan_.amounts(), Tense::would).c_str(),
                        itemCount(plan_.amounts().items()).c_str());
    }

    void declined() const
    {
        if (options_.json)
            writeJson(nullptr);
        else
            std::printf("Nothing was removed.\n");
    }

    void cleaned(const CleanOutcome& outcome) const
    {
        if (options_.json)
            writeJson(&outcome);
        else
            printReport(plan_, outcome);
    }

private:
    void writeJson(const CleanOutcome* outcome) const
    {
        JsonOutput::write(CleanJson::document(options_.module, plan_, outcome, options_.dryRun, startedAt_));
    }

    const CleanOptions& options_;
    const CleanPlan& plan_;
    QDateTime startedAt_;
};

int runClean(const QCommandLineParser& parsed)
{
    int status = ExitStatus::success;
    const auto options = parse(parsed, status);
    if (!options)
        return status;

    CleanOutcome outcome;
    StoreServices services = outcome.noting(Exclusions::addedTo(StoreServices::live(), parsed));
    if (options->deleteImmediately)
        services.deleteImmediately = [choice = *options->deleteImmediately] { return choice; };
    const bool deleteImmediately = services.deleteImmediately();
    CleanerStore store(std::move(services));
    runScan(store, options->module, platform::isTerminal(2));
    if (options->named && !tickExactly(store, options->module, *options->named))
        return ExitStatus::usage;

    const CleanPlan plan = CleanPlan::of(store, options->module, deleteImmediately);
    const Telling telling(*options, plan);
    if (plan.entries.empty()) {
        telling.nothingTicked();
        return ExitStatus::success;
    }
    telling.listing(store);
    if (options->dryRun) {
        telling.dryRun();
        return ExitStatus::success;
    }
    if (!options->yes) {
        if (!platform::isTerminal(STDIN_FILENO))
            return usageError(where, "no terminal to confirm on; pass --yes to clean without asking");
        if (!confirmed(plan.amounts())) {
            telling.declined();
            return ExitStatus::success;
        }
    }
    waitUntilCleaned(store, options->module);
    telling.cleaned(outcome);
    return exitStatus(plan, outcome);
}

} // namespace

const Command cleanCommand{
    .name = "clean",
    .synopsis = "[OPTION]... MODULE",
    .summary = "Scan one module and remove what is ticked",
    .description =
        "Scans MODULE, ticks what the scan recommends (or exactly the items named with --item and "
        "--items-from: a path that is not an item of the scan exits 2 and removes nothing), lists what "
        "will go and asks on a terminal; without one it refuses unless --yes.\n\n"
        "Items go to the Trash, or are deleted for good when the deleteImmediately setting says so "
        "(--trash and --permanent choose for one run); what is in the Trash already can only be "
        "deleted. Items of running applications, and items that changed since the scan, stay and "
        "count as failed. SIGINT or SIGTERM stops the clean after the item in hand; a second one "
        "ends it at once.\n\n"
        "What the keep list (see 'quillo keep') or --exclude covers is neither listed nor removed, "
        "nor is a folder that holds such a thing. A clean that moved items to the Trash can be "
        "undone with 'quillo undo'.",
    .options =
        {
            {{"n", "dry-run"}, "List what would go, and the total; remove nothing."},
            {{"y", "yes"}, "Clean without asking."},
            {"item", "Clean exactly this item (a path the scan lists); may be repeated.", "PATH"},
            {"items-from",
             "Clean exactly the items listed in FILE (\"-\": standard input), one path per line; "
             "may be repeated.",
             "FILE"},
            {{"0", "null"}, "With --items-from: each path ends with a NUL byte, not a newline."},
            {"trash", "Move items to the Trash this time, whatever the settings say."},
            {"permanent", "Delete items for good this time, whatever the settings say."},
            {"json", "Write one JSON document of what went and what failed, and why (the quillo-clean "
                     "format, version 1)."},
            Exclusions::option(),
        },
    .operands = Operands::module,
    .run = runClean,
};
