#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Time.h"
#include "platform/Result.h"

namespace platform {

// The top level of a property list (binary or XML) that is a dictionary, read for its text and
// date values. Reading never trusts the input: oversized files are refused unread, and
// containers nested too deep are refused before they can exhaust the stack.
class PropertyListDictionary {
public:
    // Larger property lists are refused. Room for a device backup's description, which carries
    // app metadata and icons and runs to a few megabytes; small enough that libplist's parse of
    // a hostile file of this size (superlinear in the number of keys) takes seconds, not minutes.
    static constexpr std::size_t maxSize = 8 * 1024 * 1024;
    // Containers nested deeper are refused; real property lists nest a handful of levels.
    static constexpr std::size_t maxNesting = 256;

    // An empty dictionary: every value is absent.
    PropertyListDictionary();
    PropertyListDictionary(PropertyListDictionary&&) noexcept;
    PropertyListDictionary& operator=(PropertyListDictionary&&) noexcept;
    ~PropertyListDictionary();

    // Fails with `bad_message` for bytes that are not a property list or nest too deep,
    // `invalid_argument` when the top level is not a dictionary, `file_too_large` beyond maxSize.
    static Result<PropertyListDictionary> parse(std::string_view bytes);
    // Reads the file (platform/FileContents.h, capped at maxSize) and parses it.
    static Result<PropertyListDictionary> read(const std::filesystem::path& file);

    // The value under `key` when it is text; absent when missing, of another type, or holding a
    // NUL character (nothing read here may hold one, and a path made from it would be cut short).
    std::optional<std::string> string(std::string_view key) const;
    // The value under `key` when it is a date; absent when missing or of another type.
    OptionalTime date(std::string_view key) const;

private:
    struct Tree;
    explicit PropertyListDictionary(std::unique_ptr<Tree> tree);
    void* valueFor(std::string_view key) const;

    std::unique_ptr<Tree> tree_;
};

} // namespace platform
