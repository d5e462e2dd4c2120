#include "platform/PropertyListNestingBinary.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace platform::PropertyListNesting {

namespace {

// The layout of a binary property list: "bplist00", the objects, an offset table with one
// entry per object, and a 32-byte trailer that describes the table.
constexpr std::size_t headerSize = 8;
constexpr std::size_t trailerSize = 32;

std::uint64_t bigEndian(const unsigned char* bytes, std::size_t count)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

class BinaryLayout {
public:
    static std::optional<BinaryLayout> of(std::string_view bytes)
    {
        if (bytes.size() < headerSize + trailerSize)
            return std::nullopt;
        BinaryLayout layout;
        layout.data_ = reinterpret_cast<const unsigned char*>(bytes.data());
        const unsigned char* trailer = layout.data_ + bytes.size() - trailerSize;
        layout.offsetSize_ = trailer[6];
        layout.referenceSize_ = trailer[7];
        layout.objectCount_ = bigEndian(trailer + 8, 8);
        layout.root_ = bigEndian(trailer + 16, 8);
        layout.tableOffset_ = bigEndian(trailer + 24, 8);
        const std::uint64_t tableEnd = bytes.size() - trailerSize;
        const bool sane = layout.offsetSize_ >= 1 && layout.offsetSize_ <= 8 && layout.referenceSize_ >= 1 &&
                          layout.referenceSize_ <= 8 && layout.objectCount_ > 0 && layout.root_ < layout.objectCount_ &&
                          layout.tableOffset_ >= headerSize && layout.tableOffset_ < tableEnd &&
                          layout.objectCount_ <= (tableEnd - layout.tableOffset_) / layout.offsetSize_;
        if (!sane)
            return std::nullopt;
        return layout;
    }

    std::uint64_t objectCount() const { return objectCount_; }
    std::uint64_t root() const { return root_; }

    // The objects a container refers to; empty for any other object. False where the object
    // or its references lie outside the object area.
    bool references(std::uint64_t object, std::vector<std::uint64_t>& children) const
    {
        children.clear();
        std::uint64_t at = bigEndian(data_ + tableOffset_ + object * offsetSize_, offsetSize_);
        if (at < headerSize || at >= tableOffset_)
            return false;
        const unsigned marker = data_[at++];
        const unsigned type = marker & 0xF0;
        const bool isDictionary = type == 0xD0;
        if (type != 0xA0 && type != 0xC0 && !isDictionary)
            return true;
        std::uint64_t count = marker & 0x0F;
        if (count == 0x0F && !readExtendedCount(at, count))
            return false;
        const std::uint64_t available = (tableOffset_ - at) / referenceSize_;
        if (count > available || (isDictionary && count > available / 2))
            return false;
        const std::uint64_t referenceCount = isDictionary ? 2 * count : count;
        for (std::uint64_t i = 0; i < referenceCount; ++i) {
            const std::uint64_t child = bigEndian(data_ + at + i * referenceSize_, referenceSize_);
            if (child >= objectCount_)
                return false;
            children.push_back(child);
        }
        return true;
    }

    // Where the marker of an ASCII text object that holds a NUL lies; absent for any other object.
    std::optional<std::uint64_t> asciiTextHoldingNul(std::uint64_t object) const
    {
        const std::uint64_t markerAt = bigEndian(data_ + tableOffset_ + object * offsetSize_, offsetSize_);
        if (markerAt < headerSize || markerAt >= tableOffset_ || (data_[markerAt] & 0xF0) != 0x50)
            return std::nullopt;
        std::uint64_t at = markerAt + 1;
        std::uint64_t length = data_[markerAt] & 0x0F;
        if (length == 0x0F && !readExtendedCount(at, length))
            return std::nullopt;
        if (length > tableOffset_ - at || !std::memchr(data_ + at, 0, length))
            return std::nullopt;
        return markerAt;
    }

private:
    // A count of 15 or more follows the marker as an integer object.
    bool readExtendedCount(std::uint64_t& at, std::uint64_t& count) const
    {
        if (at >= tableOffset_ || (data_[at] & 0xF0) != 0x10)
            return false;
        const std::uint64_t width = std::uint64_t{1} << (data_[at] & 0x0F);
        ++at;
        if (width > 8 || width > tableOffset_ - at)
            return false;
        count = bigEndian(data_ + at, width);
        at += width;
        return true;
    }

    const unsigned char* data_ = nullptr;
    unsigned offsetSize_ = 0;
    unsigned referenceSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t root_ = 0;
    std::uint64_t tableOffset_ = 0;
};

} // namespace

bool binaryNestsWithin(std::string_view bytes, std::size_t maxDepth)
{
    const auto layout = BinaryLayout::of(bytes);
    if (!layout)
        return false;
    // Depth-first over the reference graph with each object's height remembered, so shared
    // objects are visited once; a path that comes back to an object on it is a cycle.
    enum : std::uint32_t { unvisited = 0, onPath = UINT32_MAX };
    std::vector<std::uint32_t> height(layout->objectCount(), unvisited);
    struct Frame {
        std::uint64_t object;
        std::vector<std::uint64_t> children;
        std::size_t next = 0;
        std::uint32_t tallest = 0;
    };
    std::vector<Frame> path;
    auto enter = [&](std::uint64_t object) {
        Frame frame{object, {}};
        if (path.size() >= maxDepth || !layout->references(object, frame.children))
            return false;
        height[object] = onPath;
        path.push_back(std::move(frame));
        return true;
    };
    if (!enter(layout->root()))
        return false;
    while (!path.empty()) {
        Frame& frame = path.back();
        if (frame.next == frame.children.size()) {
            height[frame.object] = frame.tallest + 1;
            const std::uint32_t finished = height[frame.object];
            path.pop_back();
            if (!path.empty())
                path.back().tallest = std::max(path.back().tallest, finished);
            continue;
        }
        const std::uint64_t child = frame.children[frame.next++];
        if (height[child] == onPath)
            return false;
        if (height[child] != unvisited) {
            if (path.size() + height[child] > maxDepth)
                return false;
            frame.tallest = std::max(frame.tallest, height[child]);
        } else if (!enter(child)) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> binaryTextsWithNulAsData(std::string_view bytes)
{
    const auto layout = BinaryLayout::of(bytes);
    if (!layout)
        return std::nullopt;
    std::optional<std::string> marked;
    for (std::uint64_t object = 0; object < layout->objectCount(); ++object) {
        const auto markerAt = layout->asciiTextHoldingNul(object);
        if (!markerAt)
            continue;
        if (!marked)
            marked.emplace(bytes);
        // Data of the same length: the marker's low half and any count after it stay.
        (*marked)[*markerAt] = static_cast<char>(0x40 | ((*marked)[*markerAt] & 0x0F));
    }
    return marked;
}

} // namespace platform::PropertyListNesting
