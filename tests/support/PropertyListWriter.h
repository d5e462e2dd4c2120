#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "records/Date.h"

enum class PlistFormat { binary, xml };

// A property-list dictionary built with libplist, for fixtures that must hold the real thing.
class PlistDictionary {
public:
    PlistDictionary();
    PlistDictionary(const PlistDictionary&) = delete;
    PlistDictionary& operator=(const PlistDictionary&) = delete;
    ~PlistDictionary();

    PlistDictionary& text(std::string_view key, std::string_view value);
    PlistDictionary& date(std::string_view key, Date value);
    PlistDictionary& integer(std::string_view key, std::int64_t value);

    std::string bytes(PlistFormat format) const;
    // Creates the parent folders as needed.
    void write(const std::filesystem::path& file, PlistFormat format) const;

private:
    void* root_;
};

// `count` arrays, each the only element of the one before: a property list nested `count` deep,
// built byte by byte (libplist itself cannot write one this deep).
std::string nestedArraysBinary(std::size_t count);
std::string nestedArraysXml(std::size_t count);

// A top-level array holding one text, in the given format.
std::string arrayPropertyList(PlistFormat format);
