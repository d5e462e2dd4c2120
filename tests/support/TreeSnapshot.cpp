#include "support/TreeSnapshot.h"

#include <sys/stat.h>

#include "support/TempTree.h"

std::map<std::string, std::string> snapshotOf(const std::filesystem::path& root)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> snapshot;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        struct stat st {};
        ::lstat(it->path().c_str(), &st);
        std::string described = std::to_string(st.st_mode) + " ";
        if (S_ISREG(st.st_mode))
            described += readFile(it->path());
        else if (S_ISLNK(st.st_mode))
            described += fs::read_symlink(it->path()).string();
        snapshot[it->path().lexically_relative(root).string()] = described;
    }
    return snapshot;
}

void makeAwkwardTree(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    std::string binary;
    for (int i = 0; i < 70'000; ++i)
        binary.push_back(static_cast<char>((i * 7919) % 256));
    writeFile(folder / "src/data.bin", binary);
    writeFile(folder / "src/.hidden", "hidden");
    writeFile(folder / "with space/\xff-not-utf8", "odd");
    fs::permissions(writeFile(folder / "run.sh", "#!/bin/sh\n"), fs::perms::owner_all);
    fs::create_directories(folder / "empty/nested");
    fs::create_symlink("src/data.bin", folder / "link");
}
