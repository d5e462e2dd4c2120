#include "scan/routines/BuildFolders.h"

#include <set>
#include <string>

#include "platform/FileContents.h"
#include "platform/TreeWalk.h"
#include "scan/DiskScanner.h"
#include "scan/PoolTasks.h"

namespace DiskScanner {

namespace {

using namespace platform;

constexpr const char* tagFileName = "CACHEDIR.TAG";

bool isCacheDirectoryTag(std::string_view start) { return start == cacheDirectoryTagSignature; }

// The places not to enter. Paths are built only for folders whose name is one of theirs.
class LeftOut {
public:
    explicit LeftOut(const std::vector<std::filesystem::path>& folders)
    {
        for (const auto& folder : folders) {
            const auto normal = folder.lexically_normal();
            names_.insert(normal.filename().string());
            paths_.insert(normal);
        }
    }

    bool contains(const WalkEntry& entry) const
    {
        return names_.contains(entry.name()) && contains(entry.path());
    }
    bool contains(const std::filesystem::path& path) const { return paths_.contains(path.lexically_normal()); }

private:
    std::set<std::string, std::less<>> names_;
    std::set<std::filesystem::path> paths_;
};

bool rootIsTagged(const std::filesystem::path& root)
{
    auto attributes = readAttributes(root, AttributeKey::type);
    if (!attributes || !attributes->isDirectory())
        return false;
    auto tag = readFileContents(root / tagFileName, 4096);
    return tag && tag->starts_with(cacheDirectoryTagSignature);
}

std::vector<std::filesystem::path> searchRoot(const std::filesystem::path& root, const LeftOut& leftOut,
                                              const ProgressSink& scan)
{
    if (leftOut.contains(root) || scan.leftOut().covers(root))
        return {};
    if (rootIsTagged(root))
        return {root};
    WalkCollector<std::filesystem::path> found;
    auto visit = [&](const WalkEntry& entry) {
        if (entry.type() != FileType::directory)
            return WalkDecision::descend;
        if (leftOut.contains(entry))
            return WalkDecision::skipDescendants;
        if (isCacheDirectoryTag(entry.startOfFileInside(tagFileName, cacheDirectoryTagSignature.size()))) {
            found.add(entry, entry.path());
            return WalkDecision::skipDescendants;
        }
        return skippedFolders().contains(entry.name()) ? WalkDecision::skipDescendants : WalkDecision::descend;
    };
    const WalkOptions options{.skipHidden = true,
                              .skipPackageDescendants = true,
                              .stayOnFileSystem = true,
                              .leaveOut = scan.leftOutIfAny()};
    walkTree(root, options, visit, scan.stopToken());
    return found.takeInWalkOrder();
}

} // namespace

std::vector<std::filesystem::path> taggedBuildFolders(const std::vector<std::filesystem::path>& roots,
                                                      const std::vector<std::filesystem::path>& leftOut,
                                                      const RootSearched& searched, const ProgressSink& scan)
{
    const LeftOut left(leftOut);
    std::vector<std::vector<std::filesystem::path>> byRoot(roots.size());
    std::size_t finished = 0;
    takeAsFinished(
        roots.size(), [&](std::size_t index) { return searchRoot(roots[index], left, scan); },
        [&](std::size_t index, std::vector<std::filesystem::path> folders) {
            byRoot[index] = std::move(folders);
            searched(roots[index], ++finished);
        });
    std::vector<std::filesystem::path> all;
    for (auto& folders : byRoot)
        std::ranges::move(folders, std::back_inserter(all));
    return all;
}

} // namespace DiskScanner
