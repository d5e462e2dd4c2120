#include "platform/PropertyList.h"

#include <cstring>

#include <plist/plist.h>

#include "platform/FileContents.h"
#include "platform/PropertyListNestingBinary.h"
#include "platform/PropertyListNestingXml.h"

namespace platform {

struct PropertyListDictionary::Tree {
    explicit Tree(plist_t root) : root(root) {}
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;
    // Only input within maxNesting is parsed, so libplist's recursive free is safe here.
    ~Tree() { plist_free(root); }

    plist_t root;
};

namespace {

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
constexpr std::chrono::seconds referenceDate{978'307'200};

bool isBinary(std::string_view bytes) { return bytes.size() >= 8 && std::memcmp(bytes.data(), "bplist00", 8) == 0; }

// libplist's parse, kept from input that would overflow the stack.
Result<plist_t> parseTree(std::string_view bytes)
{
    const std::size_t maxNesting = PropertyListDictionary::maxNesting;
    const bool binary = isBinary(bytes);
    const bool nestingWithin = binary ? PropertyListNesting::binaryNestsWithin(bytes, maxNesting)
                                      : PropertyListNesting::xmlNestsWithin(bytes, maxNesting);
    if (!nestingWithin)
        return Result<plist_t>::failure(EBADMSG);
    // Text cut short would pass for another, shorter text (a bundle identifier, say).
    std::optional<std::string> marked;
    if (binary)
        marked = PropertyListNesting::binaryTextsWithNulAsData(bytes);
    if (marked)
        bytes = *marked;
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &root);
    if (!root)
        return Result<plist_t>::failure(EBADMSG);
    return root;
}

} // namespace

PropertyListDictionary::PropertyListDictionary() = default;
PropertyListDictionary::PropertyListDictionary(std::unique_ptr<Tree> tree) : tree_(std::move(tree)) {}
PropertyListDictionary::PropertyListDictionary(PropertyListDictionary&&) noexcept = default;
PropertyListDictionary& PropertyListDictionary::operator=(PropertyListDictionary&&) noexcept = default;
PropertyListDictionary::~PropertyListDictionary() = default;

Result<PropertyListDictionary> PropertyListDictionary::parse(std::string_view bytes)
{
    if (bytes.size() > maxSize)
        return Result<PropertyListDictionary>::failure(EFBIG);
    auto root = parseTree(bytes);
    if (!root)
        return root.error();
    auto tree = std::make_unique<Tree>(*root);
    if (plist_get_node_type(tree->root) != PLIST_DICT)
        return Result<PropertyListDictionary>::failure(EINVAL);
    return PropertyListDictionary(std::move(tree));
}

Result<PropertyListDictionary> PropertyListDictionary::read(const std::filesystem::path& file)
{
    auto contents = readFileContents(file, maxSize);
    if (!contents)
        return contents.error();
    return parse(*contents);
}

void* PropertyListDictionary::valueFor(std::string_view key) const
{
    if (!tree_)
        return nullptr;
    return plist_dict_get_item(tree_->root, std::string(key).c_str());
}

std::optional<std::string> PropertyListDictionary::string(std::string_view key) const
{
    plist_t value = valueFor(key);
    if (!value || plist_get_node_type(value) != PLIST_STRING)
        return std::nullopt;
    // Not plist_get_string_val: libplist asserts on a NUL inside the text, which binary input
    // may hold in UTF-16 (ASCII text with a NUL never reaches here as text).
    std::uint64_t length = 0;
    const char* text = plist_get_string_ptr(value, &length);
    if (!text)
        return std::nullopt;
    std::string result(text, length);
    if (result.find('\0') != std::string::npos)
        return std::nullopt;
    return result;
}

OptionalTime PropertyListDictionary::date(std::string_view key) const
{
    plist_t value = valueFor(key);
    if (!value || plist_get_node_type(value) != PLIST_DATE)
        return std::nullopt;
    std::int32_t seconds = 0;
    std::int32_t microseconds = 0;
    plist_get_date_val(value, &seconds, &microseconds);
    const auto sinceEpoch = referenceDate + std::chrono::seconds(seconds) + std::chrono::microseconds(microseconds);
    return TimePoint(std::chrono::duration_cast<TimePoint::duration>(sinceEpoch));
}

} // namespace platform
