#include "support/PropertyListWriter.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <plist/plist.h>

#include "support/TempTree.h"

namespace {

constexpr std::int64_t referenceDate = 978'307'200;

std::string serialized(plist_t root, PlistFormat format)
{
    char* data = nullptr;
    std::uint32_t length = 0;
    if (format == PlistFormat::binary)
        plist_to_bin(root, &data, &length);
    else
        plist_to_xml(root, &data, &length);
    if (!data)
        throw std::runtime_error("libplist could not write the property list");
    std::string bytes(data, length);
    std::free(data);
    return bytes;
}

void appendBigEndian(std::string& out, std::uint64_t value, int width)
{
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

} // namespace

PlistDictionary::PlistDictionary() : root_(plist_new_dict()) {}

PlistDictionary::~PlistDictionary() { plist_free(root_); }

PlistDictionary& PlistDictionary::text(std::string_view key, std::string_view value)
{
    plist_dict_set_item(root_, std::string(key).c_str(), plist_new_string(std::string(value).c_str()));
    return *this;
}

PlistDictionary& PlistDictionary::date(std::string_view key, Date value)
{
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(value.time_since_epoch()).count();
    const std::int64_t sinceReference = micros - referenceDate * 1'000'000;
    const auto seconds = static_cast<std::int32_t>(sinceReference / 1'000'000);
    const auto rest = static_cast<std::int32_t>(sinceReference % 1'000'000);
    plist_dict_set_item(root_, std::string(key).c_str(), plist_new_date(seconds, rest));
    return *this;
}

PlistDictionary& PlistDictionary::integer(std::string_view key, std::int64_t value)
{
    plist_dict_set_item(root_, std::string(key).c_str(), plist_new_uint(static_cast<std::uint64_t>(value)));
    return *this;
}

std::string PlistDictionary::bytes(PlistFormat format) const { return serialized(root_, format); }

void PlistDictionary::write(const std::filesystem::path& file, PlistFormat format) const
{
    writeFile(file, bytes(format));
}

std::string nestedArraysBinary(std::size_t count)
{
    // Object i is an array holding object i + 1; the last is an empty array. References and
    // offsets take four bytes each.
    std::string out = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (std::size_t i = 0; i <= count; ++i) {
        offsets.push_back(out.size());
        if (i < count) {
            out += static_cast<char>(0xA1);
            appendBigEndian(out, i + 1, 4);
        } else {
            out += static_cast<char>(0xA0);
        }
    }
    const std::uint64_t tableOffset = out.size();
    for (std::uint64_t offset : offsets)
        appendBigEndian(out, offset, 4);
    out.append(6, '\0');
    out += '\4';
    out += '\4';
    appendBigEndian(out, offsets.size(), 8);
    appendBigEndian(out, 0, 8);
    appendBigEndian(out, tableOffset, 8);
    return out;
}

std::string nestedArraysXml(std::size_t count)
{
    std::string out = R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0">)";
    for (std::size_t i = 0; i < count; ++i)
        out += "<array>";
    for (std::size_t i = 0; i < count; ++i)
        out += "</array>";
    return out + "</plist>";
}

std::string arrayPropertyList(PlistFormat format)
{
    plist_t array = plist_new_array();
    plist_array_append_item(array, plist_new_string("CFBundleIdentifier"));
    std::string bytes = serialized(array, format);
    plist_free(array);
    return bytes;
}
