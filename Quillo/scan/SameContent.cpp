#include "scan/SameContent.h"

#include <algorithm>
#include <cstring>
#include <memory>
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

struct OpenFile {
    std::size_t index;
    platform::RegularFile file;
    std::byte* chunk;
    std::size_t length = 0;

    bool sameChunkAs(const OpenFile& other) const
    {
        return length == other.length && std::memcmp(chunk, other.chunk, length) == 0;
    }
};

using Class = std::vector<OpenFile*>;

// Reads the next chunk of every member; members that fail to read leave the class.
void readNextChunks(Class& members)
{
    std::erase_if(members, [](OpenFile* member) {
        auto read = member->file.read({member->chunk, chunkSize});
        member->length = read ? *read : 0;
        return !read;
    });
}

// Splits members by the chunk they just read, keeping their order within each part.
std::vector<Class> splitByChunk(const Class& members)
{
    std::vector<Class> parts;
    for (OpenFile* member : members) {
        auto same = std::ranges::find_if(parts, [&](const Class& part) { return member->sameChunkAs(*part.front()); });
        if (same == parts.end())
            parts.push_back({member});
        else
            same->push_back(member);
    }
    return parts;
}

IndexClass indexesOf(const Class& members)
{
    IndexClass indexes;
    for (const OpenFile* member : members)
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
        pending.front().push_back(&file);

    std::vector<IndexClass> classes;
    while (!pending.empty()) {
        if (stop.stop_requested())
            return {};
        Class members = std::move(pending.back());
        pending.pop_back();
        readNextChunks(members);
        for (Class& part : splitByChunk(members)) {
            // A file unlike all others is read no further.
            if (part.size() < 2)
                continue;
            // Every member at its end at once: the contents matched to the last byte.
            if (part.front()->length == 0)
                classes.push_back(indexesOf(part));
            else
                pending.push_back(std::move(part));
        }
    }
    std::ranges::sort(classes);
    return classes;
}

} // namespace DiskScanner
