#include <openssl/evp.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <span>
#include <string_view>

#include "platform/RegularFile.h"
#include "scan/Duplicates.h"

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
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!EVP_DigestFinal_ex(context.get(), digest, &length))
        return std::nullopt;
    return hexText(digest, length);
}

} // namespace DiskScanner
