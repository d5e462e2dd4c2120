#include "cli/Exclusions.h"

#include <filesystem>
#include <system_error>

#include "cli/ArgumentText.h"
#include "platform/PathPatterns.h"

namespace Exclusions {

QCommandLineOption option()
{
    return {"exclude",
            "Leave out for this run what PATTERN covers, as the keep list does: a name (\"*.iso\", "
            "\"node_modules\") anywhere, or a path; may be repeated.",
            "PATTERN"};
}

std::vector<std::string> given(const QCommandLineParser& parsed)
{
    std::vector<std::string> patterns;
    for (const QString& value : parsed.values("exclude")) {
        std::string pattern = ArgumentText::toBytes(value);
        const bool relativePath = pattern.find('/') != std::string::npos && !pattern.starts_with('/') &&
                                  !pattern.starts_with('~');
        std::error_code error;
        const auto here = std::filesystem::current_path(error);
        // The working folder's name is no pattern: its pattern characters are taken literally.
        if (relativePath && !error)
            pattern = platform::PathPatterns::literal(here) + "/" + pattern;
        patterns.push_back(std::move(pattern));
    }
    return patterns;
}

StoreServices addedTo(StoreServices services, const QCommandLineParser& parsed)
{
    const auto patterns = given(parsed);
    if (patterns.empty())
        return services;
    services.scanOptions = [options = services.scanOptions, patterns] {
        ScanOptions current = options();
        current.keepPaths.insert(current.keepPaths.end(), patterns.begin(), patterns.end());
        return current;
    };
    return services;
}

} // namespace Exclusions
