#include "scan/duplicates/SameContent.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "platform/RegularFile.h"

namespace DiskScanner {

namespace {

// Large enough that a read costs little next to the copying, small enough that the chunks of a
// group stay in the processor's cache while they are compared.
constexpr std::size_t chunkSize = 128 * 1024;

// The chunk of the `member`th file of a comparison. Chunks stay with the thread from one
// comparison to the next: fresh memory for every group would be faulted in page by page. A
// comparison never waits for other work, so a thread runs one at a time.
std::byte* chunkOf(std::size_t member)
{
    thread_local std::vector<std::unique_ptr<std::byte[]>> chunks;
    while (chunks.size() <= member)
        chunks.push_back(std::make_unique_for_overwrite<std::byte[]>(chunkSize));
    return chunks[member].get();
}

bool allZero(const std::byte* bytes, std::size_t length)
{
    return std::all_of(bytes, bytes + length, [](std::byte byte) { return byte == std::byte{0}; });
}

struct OpenFile {
    std::size_t index;
    platform::RegularFile file;
    std::byte* chunk;
    // What was taken at the class's position: `length` bytes, read into `chunk`, or zeros of a
    // hole that were not read.
    std::int64_t length = 0;
    bool isHole = false;

    bool sameChunkAs(const OpenFile& other) const
    {
        if (length != other.length)
            return false;
        if (isHole || other.isHole)
            return (isHole && other.isHole) || allZero((isHole ? other : *this).chunk, static_cast<std::size_t>(length));
        return std::memcmp(chunk, other.chunk, static_cast<std::size_t>(length)) == 0;
    }
};

// Files that were alike up to `position`.
struct Class {
    std::int64_t position = 0;
    std::vector<OpenFile*> members;
};

// Takes the next chunk of every member at the class's position; members that fail to read leave
// the class. Where every member has a hole nothing is read, however long the holes; where some
// have data, a chunk of it is read and the others' holes count as zeros.
void takeNextChunks(Class& current)
{
    std::vector<std::pair<OpenFile*, platform::RegularFile::Stretch>> found;
    std::int64_t step = std::numeric_limits<std::int64_t>::max();
    bool anyData = false;
    for (OpenFile* member : current.members) {
        auto stretch = member->file.stretchAt(current.position);
        if (!stretch)
            continue;
        found.emplace_back(member, *stretch);
        // A member at its end has nothing to give: it stays out of the step.
        if (stretch->end > current.position) {
            step = std::min(step, stretch->end - current.position);
            anyData = anyData || !stretch->isHole;
        }
    }
    if (anyData)
        step = std::min<std::int64_t>(step, chunkSize);

    current.members.clear();
    for (auto& [member, stretch] : found) {
        member->isHole = stretch.isHole;
        if (stretch.end <= current.position) {
            member->length = 0;
        } else if (member->isHole) {
            member->length = step;
        } else {
            auto read = member->file.readAt(current.position, {member->chunk, static_cast<std::size_t>(step)});
            if (!read)
                continue;
            member->length = static_cast<std::int64_t>(*read);
        }
        current.members.push_back(member);
    }
}

// Splits members by the chunk they just took, keeping their order within each part; each part
// moves on past that chunk.
std::vector<Class> splitByChunk(const Class& current)
{
    std::vector<Class> parts;
    for (OpenFile* member : current.members) {
        auto same = std::ranges::find_if(parts, [&](const Class& part) { return member->sameChunkAs(*part.members.front()); });
        if (same == parts.end())
            parts.push_back({current.position + member->length, {member}});
        else
            same->members.push_back(member);
    }
    return parts;
}

IndexClass indexesOf(const Class& part)
{
    IndexClass indexes;
    for (const OpenFile* member : part.members)
        indexes.push_back(member->index);
    return indexes;
}

} // namespace

std::vector<IndexClass> sameContentClasses(const std::vector<std::filesystem::path>& files, std::stop_token stop)
{
    // Reserved up front: the classes point into it.
    std::vector<OpenFile> open;
    open.reserve(files.size());
    for (std::size_t index = 0; index < files.size(); ++index) {
        if (auto file = platform::RegularFile::open(files[index]))
            open.push_back(OpenFile{index, std::move(*file), chunkOf(open.size())});
    }
    if (open.size() < 2)
        return {};
    std::vector<Class> pending(1);
    for (OpenFile& file : open)
        pending.front().members.push_back(&file);

    std::vector<IndexClass> classes;
    while (!pending.empty()) {
        if (stop.stop_requested())
            return {};
        Class current = std::move(pending.back());
        pending.pop_back();
        takeNextChunks(current);
        for (Class& part : splitByChunk(current)) {
            // A file unlike all others is read no further.
            if (part.members.size() < 2)
                continue;
            // Every member at its end at once: the contents matched to the last byte.
            if (part.members.front()->length == 0)
                classes.push_back(indexesOf(part));
            else
                pending.push_back(std::move(part));
        }
    }
    std::ranges::sort(classes);
    return classes;
}

} // namespace DiskScanner
