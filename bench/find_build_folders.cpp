// Runs the Developer Junk scan with FOLDER as the home folder and prints the build folders it
// found by their cache-directory tags, one path a line: the search walks the whole tree, so it is
// timed against `quillo size` of the same tree (bench/build_folders.sh).
//
// usage: quillo_find_build_folders FOLDER
#include <iostream>
#include <string_view>

#include "scan/DiskScanner.h"
#include "scan/routines/DeveloperJunk.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: quillo_find_build_folders FOLDER\n";
        return 2;
    }
    DiskScanner::setHomeForTesting(std::filesystem::absolute(argv[1]));
    for (const ScanItem& item : DiskScanner::developerJunk(ProgressSink()).items) {
        if (std::string_view(item.detail).starts_with("Build folder"))
            std::cout << item.url.string() << '\n';
    }
    return 0;
}
