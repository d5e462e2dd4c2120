// Runs the duplicate finder over folders the way the duplicates module does, and prints what it
// found as sets: the file that stays, then its copies, one path a line, a blank line after each
// set. For side-by-side runs against other duplicate finders (bench/duplicates.sh).
//
// usage: quillo_find_duplicates [--min-size BYTES] FOLDER...
// Exit status 2 on bad usage, 3 when the result reached its cap of 500 copies (sets incomplete).
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "scan/DiskScanner.h"
#include "scan/routines/Duplicates.h"

namespace {

constexpr std::size_t itemCap = 500;
constexpr std::string_view copyOf = "Copy of ";

// The detail names the file that stays, "~"-abbreviated inside the home folder.
std::string keptPath(const std::string& detail)
{
    std::string path = detail.substr(copyOf.size());
    if (path.starts_with("~"))
        path.replace(0, 1, DiskScanner::home().string());
    return path;
}

struct Arguments {
    std::int64_t minimumSize = DiskScanner::minimumDuplicateSize;
    std::vector<std::filesystem::path> roots;
};

bool parse(int argc, char** argv, Arguments& arguments)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--min-size" && i + 1 < argc)
            arguments.minimumSize = std::strtoll(argv[++i], nullptr, 10);
        else if (argument.starts_with("-"))
            return false;
        else
            arguments.roots.push_back(std::filesystem::absolute(argv[i]));
    }
    return !arguments.roots.empty();
}

} // namespace

int main(int argc, char** argv)
{
    Arguments arguments;
    if (!parse(argc, argv, arguments)) {
        std::cerr << "usage: quillo_find_duplicates [--min-size BYTES] FOLDER...\n";
        return 2;
    }
    const CategoryResult result = DiskScanner::findDuplicates(arguments.roots, arguments.minimumSize, ProgressSink());

    std::map<std::string, std::vector<std::string>> copiesOfKept;
    for (const ScanItem& item : result.items)
        copiesOfKept[keptPath(item.detail)].push_back(item.url.string());
    for (const auto& [kept, copies] : copiesOfKept) {
        std::cout << kept << '\n';
        for (const auto& copy : copies)
            std::cout << copy << '\n';
        std::cout << '\n';
    }
    if (result.items.size() >= itemCap) {
        std::cerr << "quillo_find_duplicates: the result reached its cap of " << itemCap << " copies\n";
        return 3;
    }
    return 0;
}
