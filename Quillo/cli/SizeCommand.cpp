#include "cli/SizeCommand.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <QJsonArray>

#include "cli/ArgumentText.h"
#include "cli/Exclusions.h"
#include "cli/JsonOutput.h"
#include "cli/TerminalText.h"
#include "platform/FileAttributes.h"
#include "platform/HomeDirectory.h"
#include "platform/PathPatterns.h"
#include "scan/FileSize.h"

namespace {

using Unreadable = std::vector<std::pair<std::filesystem::path, std::error_code>>;

// The folders a measurement could not read, gathered from the walk's threads.
class UnreadableFolders {
public:
    void add(const std::filesystem::path& folder, std::error_code error)
    {
        const std::lock_guard lock(mutex_);
        found_.emplace_back(folder, error);
    }

    // In path order, as du tells them.
    Unreadable sorted()
    {
        std::ranges::sort(found_);
        return std::move(found_);
    }

private:
    std::mutex mutex_;
    Unreadable found_;
};

struct Measurement {
    std::filesystem::path path;
    // Absent when nothing is at the path: a mistake worth telling apart from an empty folder.
    std::optional<std::int64_t> bytes;
    std::error_code missing;
    Unreadable unreadable;
};

// What is left out is matched against whole paths: a relative PATH is measured from the working
// folder, and named as given.
std::filesystem::path matchable(const std::filesystem::path& path)
{
    std::error_code error;
    auto absolute = std::filesystem::absolute(path, error).lexically_normal();
    if (absolute.has_relative_path() && !absolute.has_filename())
        absolute = absolute.parent_path();
    return error ? path : absolute;
}

// Measuring never fails (what cannot be read counts as 0, and a total that left folders out is
// still given, with the folders it left out).
Measurement measure(const std::filesystem::path& path, const FileSize::Reach& reach)
{
    if (auto present = platform::readAttributes(path, platform::AttributeKey::type); !present)
        return {path, std::nullopt, present.error(), {}};
    UnreadableFolders unreadable;
    auto report = [&](const std::filesystem::path& folder, std::error_code error) { unreadable.add(folder, error); };
    const auto measured = reach.leaveOut ? matchable(path) : path;
    const std::int64_t bytes = FileSize::allocated(measured, {}, report, reach);
    return {path, bytes, {}, unreadable.sorted()};
}

void printText(const Measurement& measured)
{
    const std::string shown = TerminalText::escaped(measured.path.native());
    if (!measured.bytes) {
        std::fprintf(stderr, "quillo size: cannot access '%s': %s\n", shown.c_str(), measured.missing.message().c_str());
        return;
    }
    for (const auto& [folder, error] : measured.unreadable)
        std::fprintf(stderr, "quillo size: cannot read '%s': %s\n", TerminalText::escaped(folder.native()).c_str(),
                     error.message().c_str());
    std::printf("%lld\t%s\n", static_cast<long long>(*measured.bytes), shown.c_str());
}

QJsonObject json(const Measurement& measured)
{
    QJsonObject object;
    JsonOutput::setPath(object, "path", measured.path.native());
    object["bytes"] = measured.bytes ? QJsonValue(static_cast<qint64>(*measured.bytes)) : QJsonValue();
    if (!measured.bytes)
        object["error"] = QString::fromStdString(measured.missing.message());
    QJsonArray unreadable;
    for (const auto& [folder, error] : measured.unreadable) {
        QJsonObject entry{{"reason", QString::fromStdString(error.message())}};
        JsonOutput::setPath(entry, "path", folder.native());
        unreadable.append(entry);
    }
    object["unreadable"] = unreadable;
    return object;
}

int runSize(const QCommandLineParser& parsed)
{
    const bool asJson = parsed.isSet("json");
    const platform::PathPatterns excluded(Exclusions::given(parsed), platform::homeDirectory());
    const FileSize::Reach reach{.crossMounts = parsed.isSet("cross-mounts"),
                                .leaveOut = excluded.empty() ? nullptr : &excluded};
    QJsonArray paths;
    int status = ExitStatus::success;
    for (const QString& argument : parsed.positionalArguments()) {
        const Measurement measured = measure(std::filesystem::path(ArgumentText::toBytes(argument)), reach);
        if (!measured.bytes || !measured.unreadable.empty())
            status = ExitStatus::failure;
        if (asJson)
            paths.append(json(measured));
        else
            printText(measured);
    }
    if (asJson) {
        QJsonObject document = JsonOutput::header("quillo-size");
        document["paths"] = paths;
        JsonOutput::write(document);
    }
    return status;
}

} // namespace

const Command sizeCommand{
    .name = "size",
    .synopsis = "[OPTION]... PATH...",
    .summary = "Print the space paths occupy on disk",
    .description = "Prints the space each PATH occupies on disk as BYTES, a tab and PATH, one line each: "
                   "the allocated blocks of every regular file below it, hidden files and package contents "
                   "included. Symbolic links are never followed and other file systems mounted inside are "
                   "not entered (unless --cross-mounts). A folder it cannot read is named on standard "
                   "error and leaves the total short; the exit status is then 1, as when a PATH is "
                   "missing.\n\n"
                   "What --exclude covers is left out of the count, a folder with all it holds, as du "
                   "--exclude does; the keep list has no say here.",
    .options = {{"json", "Write one JSON document instead (the quillo-size format, version 1)."},
                Exclusions::option(),
                {"cross-mounts", "Count what other file systems mounted inside hold too."}},
    .operands = Operands::paths,
    .run = runSize,
};
