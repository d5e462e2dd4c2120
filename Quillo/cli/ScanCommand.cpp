#include "cli/ScanCommand.h"

#include <cstdio>
#include <string>

#include <QJsonDocument>

#include "cli/Arguments.h"
#include "cli/ItemListing.h"
#include "cli/ScanJson.h"
#include "cli/ScanSession.h"
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
    std::printf("Found %s in %zu item%s.\n", found.c_str(), result->items.size(), result->items.size() == 1 ? "" : "s");
}

void printHuman(const CleanerStore& store, Module module)
{
    if (module.isLeaf()) {
        printLeaf(store, module);
        return;
    }
    for (Module target : module.scanTargets()) {
        std::printf("== %s\n", std::string(target.title()).c_str());
        printLeaf(store, target);
    }
    const std::string found = ByteFormat::string(store.foundBytes(module), ByteFormat::Style::file).toStdString();
    std::printf("Found %s in all.\n", found.c_str());
}

int runScanCommand(const std::vector<std::string_view>& arguments)
{
    std::optional<std::string_view> name;
    bool json = false;
    for (std::string_view argument : arguments) {
        if (argument == "--json") {
            json = true;
        } else if (!argument.starts_with("-") && !name) {
            name = argument;
        } else {
            std::fprintf(stderr, "quillo scan: unexpected '%.*s'\nusage: quillo %.*s\n", static_cast<int>(argument.size()),
                         argument.data(), static_cast<int>(scanCommand.usage.size()), scanCommand.usage.data());
            return ExitStatus::usage;
        }
    }
    if (!name) {
        std::fprintf(stderr, "quillo scan: missing MODULE\nusage: quillo %.*s\n", static_cast<int>(scanCommand.usage.size()),
                     scanCommand.usage.data());
        return ExitStatus::usage;
    }
    const auto module = parseModule(*name, "scan");
    if (!module)
        return ExitStatus::usage;

    CleanerStore store(StoreServices::live());
    runScan(store, *module, platform::isTerminal(2));
    if (json) {
        const QByteArray text = QJsonDocument(ScanJson::module(store, *module)).toJson(QJsonDocument::Indented);
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    } else {
        printHuman(store, *module);
    }
    return ExitStatus::success;
}

} // namespace

const Command scanCommand{"scan", "scan MODULE [--json]", runScanCommand};
