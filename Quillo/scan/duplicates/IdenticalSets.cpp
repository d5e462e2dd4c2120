#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include <oneapi/tbb/parallel_for.h>

#include "platform/WorkPool.h"
#include "scan/duplicates/IdenticalSets.h"
#include "scan/duplicates/ContentDigest.h"
#include "scan/duplicates/SameContent.h"

namespace DiskScanner {

namespace {

// The first pass digests this many bytes; for files no longer than that it is final.
constexpr std::int64_t firstPassLimit = 64 * 1024;
// Groups up to this size are compared side by side (one descriptor and chunk per file); larger
// ones are digested whole, holes skipped.
constexpr std::size_t mostComparedSideBySide = 32;

using Files = std::vector<FileInfo>;

// Of files sharing storage only the first met stays: removing the others would free nothing.
Files withoutClones(const Files& files)
{
    Files distinct;
    std::unordered_set<platform::ContentIdentifier> seen;
    for (const FileInfo& file : files) {
        if (!file.contentID || seen.insert(*file.contentID).second)
            distinct.push_back(file);
    }
    return distinct;
}

using Digest = std::optional<std::string> (*)(const std::filesystem::path&, const std::stop_token&);

std::optional<std::string> firstPassDigest(const std::filesystem::path& file, const std::stop_token& stop)
{
    return hash(file, firstPassLimit, stop);
}

std::optional<std::string> wholeDigest(const std::filesystem::path& file, const std::stop_token& stop)
{
    return contentDigestSkippingHoles(file, stop);
}

// Groups of two files or more with equal digests, in the order their digest first appeared; a
// file without a digest matches nothing. Digests are made on the shared pool.
IdenticalSets groupsByDigest(const Files& files, Digest digest, const std::stop_token& stop)
{
    std::vector<std::optional<std::string>> digests(files.size());
    platform::workPool().execute([&] {
        tbb::parallel_for(std::size_t{0}, files.size(),
                          [&](std::size_t index) { digests[index] = digest(files[index].url, stop); });
    });
    IdenticalSets groups;
    std::unordered_map<std::string, std::size_t> groupOfDigest;
    for (std::size_t index = 0; index < files.size(); ++index) {
        if (!digests[index])
            continue;
        auto [found, isNew] = groupOfDigest.try_emplace(*digests[index], groups.size());
        if (isNew)
            groups.emplace_back();
        groups[found->second].push_back(files[index]);
    }
    std::erase_if(groups, [](const Files& group) { return group.size() < 2; });
    return groups;
}

IdenticalSets sameContentSets(const Files& group, const std::stop_token& stop)
{
    std::vector<std::filesystem::path> paths;
    for (const FileInfo& file : group)
        paths.push_back(file.url);
    IdenticalSets sets;
    for (const IndexClass& indexes : sameContentClasses(paths, stop)) {
        Files& set = sets.emplace_back();
        for (std::size_t index : indexes)
            set.push_back(group[index]);
    }
    return sets;
}

} // namespace

IdenticalSets identicalSets(const std::vector<FileInfo>& files, std::stop_token stop)
{
    const Files distinct = withoutClones(files);
    if (distinct.size() < 2)
        return {};
    IdenticalSets sets;
    for (Files& group : groupsByDigest(distinct, firstPassDigest, stop)) {
        if (group.front().size <= firstPassLimit) {
            sets.push_back(std::move(group));
            continue;
        }
        // Equal beginnings: the whole contents decide.
        IdenticalSets whole = group.size() <= mostComparedSideBySide ? sameContentSets(group, stop)
                                                                      : groupsByDigest(group, wholeDigest, stop);
        std::ranges::move(whole, std::back_inserter(sets));
    }
    return sets;
}

} // namespace DiskScanner
