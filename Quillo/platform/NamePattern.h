#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The shell pattern of one path component, matched as fnmatch(3) matches it without flags. A walk
// tests every entry it meets against every such pattern, so what a match needs is read from the
// pattern once (a length at least, the text it starts and ends with, the plain runs it holds) and
// most names are turned away on that alone. A plain name is compared, a pattern of "*" and plain
// text is decided on those runs, and fnmatch decides only what is left.
class NamePattern {
public:
    explicit NamePattern(std::string pattern);

    const std::string& text() const { return pattern_; }
    bool isLiteral() const { return shape_ == Shape::literal; }

    // The byte every match ends with, if there is one.
    std::optional<unsigned char> lastByte() const;

    // `name` is NUL-terminated (fnmatch may be asked).
    bool matches(std::string_view name) const;

    // The bytes a name holds, in brief (each byte's low six bits): a name without one that a
    // pattern needs is turned away in one step. For a name tested against many patterns.
    static std::uint64_t bytesOf(std::string_view name);
    // As matches(name), `nameBytes` being bytesOf(name).
    bool matches(std::string_view name, std::uint64_t nameBytes) const
    {
        return (neededBytes_ & ~nameBytes) == 0 && matches(name);
    }

private:
    enum class Shape : unsigned char { literal, starsAndText, general };

    bool readParts();
    void readEnds();
    bool mayMatch(std::string_view name) const;
    bool runsInOrder(std::string_view middle) const;

    std::string pattern_;
    Shape shape_ = Shape::general;
    std::size_t minLength_ = 0;
    std::string prefix_;
    std::string suffix_;
    // Plain text every match holds between the prefix and the suffix, in this order.
    std::vector<std::string> runs_;
    std::uint64_t neededBytes_ = 0;
};

} // namespace platform
