#include "cli/ScanCommand.h"

#include <cstdio>
#include <string>

#include "cli/Exclusions.h"
#include "cli/ItemListing.h"
#include "cli/JsonOutput.h"
#include "cli/ModuleName.h"
#include "cli/ScanJson.h"
#include "cli/ScanSession.h"
#include "cli/TextStyle.h"
#include "foundation/ByteFormat.h"
#include "store/CleanerStore.h"
#include "platform/Terminal.h"

namespace {

void printLeaf(const CleanerStore& store, Module leaf)
{
    const CategoryResult* result = store.result(leaf);
    if (!result)
        return;
    if (result->accessDenied) {
        std::printf("Quillo was refused access to the folders this module reads.\n");
        return;
    }
    printItems(stdout, store, result->items);
    const std::string found = ByteFormat::string(store.foundBytes(leaf), ByteFormat::Style::file).toStdString();
    std::printf("Found %s in %zu item%s.\n", TextStyle::of(1).bold(found).c_str(), result->items.size(),
                result->items.size() == 1 ? "" : "s");
}

void printHuman(const CleanerStore& store, Module module)
{
    if (module.isLeaf()) {
        printLeaf(store, module);
        return;
    }
    for (Module target : module.scanTargets()) {
        std::printf("%s\n", TextStyle::of(1).bold("== " + std::string(target.title())).c_str());
        printLeaf(store, target);
    }
    const std::string found = ByteFormat::string(store.foundBytes(module), ByteFormat::Style::file).toStdString();
    std::printf("Found %s in all.\n", TextStyle::of(1).bold(found).c_str());
}

int runScanCommand(const QCommandLineParser& parsed)
{
    const Module module = *ModuleName::parse(parsed.positionalArguments().front());
    CleanerStore store(Exclusions::addedTo(StoreServices::live(), parsed));
    const QDateTime scannedAt = QDateTime::currentDateTimeUtc();
    runScan(store, module, platform::isTerminal(2));
    if (parsed.isSet("json"))
        JsonOutput::write(ScanJson::document(store, module, scannedAt));
    else
        printHuman(store, module);
    return ExitStatus::success;
}

} // namespace

const Command scanCommand{
    .name = "scan",
    .synopsis = "[OPTION]... MODULE",
    .summary = "Scan one module and list what it found",
    .description = "Scans MODULE and lists what it found, largest first, two lines per item: a tick for "
                   "what a clean would remove, its size, name, tags and detail; then its path. Then the "
                   "total. On a terminal, a live line on standard error shows the progress.\n\n"
                   "What the keep list (see 'quillo keep') or --exclude covers is never listed, and "
                   "the searches of the home folder stay on its file system.",
    .options = {{"json", "Write one JSON document instead (the quillo-scan format, version 1)."},
                Exclusions::option()},
    .operands = Operands::module,
    .run = runScanCommand,
};
