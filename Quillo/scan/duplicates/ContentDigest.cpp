#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <span>
#include <string_view>

#include "platform/RegularFile.h"
#include "scan/duplicates/ContentDigest.h"

namespace DiskScanner {

namespace {

// Reads go in chunks of at most this many bytes, so memory stays bounded for large files.
constexpr std::size_t chunkSize = 1 << 20;

struct ContextFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using DigestContext = std::unique_ptr<EVP_MD_CTX, ContextFree>;

// Fetched once: OpenSSL would otherwise look the algorithm up at every digest.
const EVP_MD* sha256()
{
    static EVP_MD* algorithm = EVP_MD_fetch(nullptr, "SHA256", nullptr);
    return algorithm;
}

// One per thread, kept from one digest to the next: fresh memory for every file would be
// faulted in page by page. A digest never waits for other work, so a thread makes one at a time.
std::span<std::byte> readBuffer()
{
    thread_local const auto buffer = std::make_unique_for_overwrite<std::byte[]>(chunkSize);
    return {buffer.get(), chunkSize};
}

std::string hexText(const unsigned char* bytes, unsigned int length)
{
    constexpr std::string_view digits = "0123456789abcdef";
    std::string text;
    text.reserve(2 * length);
    for (unsigned int i = 0; i < length; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0xf];
    }
    return text;
}

bool allZero(std::span<const std::byte> bytes)
{
    return std::ranges::all_of(bytes, [](std::byte byte) { return byte == std::byte{0}; });
}

// Feeds a file's content to a digest as its blocks that are not all zeros, each after its place,
// and then the length: so the digest depends on the bytes alone, not on which zeros the file
// system keeps as holes, and the zeros of a hole need neither be read nor digested.
class NonZeroBlocks {
public:
    explicit NonZeroBlocks(EVP_MD_CTX* context) : context_(context) {}

    // `bytes` of the file from `position` on. Precondition: positions only grow.
    void add(std::int64_t position, std::span<const std::byte> bytes)
    {
        while (!bytes.empty()) {
            const std::int64_t block = position / blockSize;
            const auto offset = static_cast<std::size_t>(position % blockSize);
            const std::size_t count = std::min<std::size_t>(bytes.size(), blockSize - offset);
            if (block != block_) {
                flush();
                block_ = block;
            }
            if (!allZero(bytes.first(count))) {
                std::memcpy(pending_.data() + offset, bytes.data(), count);
                pendingHasData_ = true;
            }
            position += static_cast<std::int64_t>(count);
            bytes = bytes.subspan(count);
        }
    }

    void finish(std::int64_t length)
    {
        flush();
        feed(length);
    }

private:
    static constexpr std::int64_t blockSize = 4096;

    void flush()
    {
        if (pendingHasData_) {
            feed(block_);
            EVP_DigestUpdate(context_, pending_.data(), pending_.size());
        }
        pending_.fill(std::byte{0});
        pendingHasData_ = false;
    }

    // Little-endian, so that the digest is the same on every machine.
    void feed(std::int64_t number)
    {
        std::array<unsigned char, 8> bytes{};
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<unsigned char>(static_cast<std::uint64_t>(number) >> (8 * i));
        EVP_DigestUpdate(context_, bytes.data(), bytes.size());
    }

    EVP_MD_CTX* context_;
    std::int64_t block_ = -1;
    std::array<std::byte, blockSize> pending_{};
    bool pendingHasData_ = false;
};

std::optional<std::string> finished(EVP_MD_CTX* context)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!EVP_DigestFinal_ex(context, digest, &length))
        return std::nullopt;
    return hexText(digest, length);
}

} // namespace

std::optional<std::string> hash(const std::filesystem::path& file, std::optional<std::int64_t> limit,
                                std::stop_token stop)
{
    auto opened = platform::RegularFile::open(file);
    DigestContext context(EVP_MD_CTX_new());
    if (!opened || !context || !EVP_DigestInit_ex(context.get(), sha256(), nullptr))
        return std::nullopt;
    std::int64_t remaining = limit.value_or(std::numeric_limits<std::int64_t>::max());
    const std::span<std::byte> buffer = readBuffer();
    while (remaining >= 1) {
        if (stop.stop_requested())
            return std::nullopt;
        auto read = opened->read(buffer.first(static_cast<std::size_t>(std::min<std::int64_t>(remaining, chunkSize))));
        if (!read)
            return std::nullopt;
        if (*read == 0)
            break;
        EVP_DigestUpdate(context.get(), buffer.data(), *read);
        remaining -= static_cast<std::int64_t>(*read);
    }
    return finished(context.get());
}

std::optional<std::string> contentDigestSkippingHoles(const std::filesystem::path& file, std::stop_token stop)
{
    auto opened = platform::RegularFile::open(file);
    DigestContext context(EVP_MD_CTX_new());
    if (!opened || !context || !EVP_DigestInit_ex(context.get(), sha256(), nullptr))
        return std::nullopt;
    NonZeroBlocks blocks(context.get());
    const std::span<std::byte> buffer = readBuffer();
    std::int64_t position = 0;
    for (;;) {
        if (stop.stop_requested())
            return std::nullopt;
        auto stretch = opened->stretchAt(position);
        if (!stretch)
            return std::nullopt;
        if (stretch->isHole) {
            position = stretch->end;
            continue;
        }
        if (stretch->end <= position)
            break;
        const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(stretch->end - position, chunkSize));
        auto read = opened->readAt(position, buffer.first(wanted));
        if (!read)
            return std::nullopt;
        if (*read == 0)
            break;
        blocks.add(position, buffer.first(*read));
        position += static_cast<std::int64_t>(*read);
    }
    blocks.finish(position);
    return finished(context.get());
}

} // namespace DiskScanner
