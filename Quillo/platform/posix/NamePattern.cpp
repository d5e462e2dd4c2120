#include "platform/NamePattern.h"

#include <fnmatch.h>

#include <optional>

namespace platform {

namespace {

constexpr std::string_view specialCharacters = "*?[\\";

// Where the bracket expression opening at `open` ends (the index of its "]"), for the plain kind
// only: characters and ranges, "!" or "^" to negate, a "]" first to hold one. Nothing for one
// holding "[" or a backslash (classes, escapes) or left open: those only fnmatch reads.
std::optional<std::size_t> plainBracketEnd(std::string_view text, std::size_t open)
{
    std::size_t at = open + 1;
    if (at < text.size() && (text[at] == '!' || text[at] == '^'))
        ++at;
    if (at < text.size() && text[at] == ']')
        ++at;
    const auto close = text.find_first_of("[]\\", at);
    if (close == std::string_view::npos || text[close] != ']')
        return std::nullopt;
    return close;
}

} // namespace

NamePattern::NamePattern(std::string pattern) : pattern_(std::move(pattern))
{
    if (std::string_view(pattern_).find_first_of(specialCharacters) == std::string_view::npos) {
        shape_ = Shape::literal;
        neededBytes_ = bytesOf(pattern_);
        return;
    }
    if (!readParts())
        readEnds();
    neededBytes_ = bytesOf(prefix_) | bytesOf(suffix_);
    for (const std::string& run : runs_)
        neededBytes_ |= bytesOf(run);
}

std::uint64_t NamePattern::bytesOf(std::string_view name)
{
    std::uint64_t bytes = 0;
    for (const char c : name)
        bytes |= std::uint64_t{1} << (static_cast<unsigned char>(c) & 63U);
    return bytes;
}

// Splits the pattern into its plain texts and what stands between them: a "*", or one character
// ("?" or a bracket expression, a byte at least). False for a pattern it cannot read to its end.
bool NamePattern::readParts()
{
    const std::string_view text = pattern_;
    std::vector<std::string> texts(1);
    bool onlyStars = true;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\\') {
            if (++at == text.size())
                return false;
            texts.back().push_back(text[at]);
        } else if (c != '*' && c != '?' && c != '[') {
            texts.back().push_back(c);
        } else {
            if (c == '[') {
                const auto close = plainBracketEnd(text, at);
                if (!close)
                    return false;
                at = *close;
            }
            onlyStars = onlyStars && c == '*';
            minLength_ += c == '*' ? 0 : 1;
            texts.emplace_back();
        }
    }
    prefix_ = texts.front();
    minLength_ += prefix_.size();
    // Escapes only: a plain name, compared by fnmatch after these checks.
    if (texts.size() == 1)
        return true;
    suffix_ = texts.back();
    minLength_ += suffix_.size();
    for (std::size_t i = 1; i + 1 < texts.size(); ++i) {
        minLength_ += texts[i].size();
        if (!texts[i].empty())
            runs_.push_back(std::move(texts[i]));
    }
    if (onlyStars)
        shape_ = Shape::starsAndText;
    return true;
}

// Any match starts with the text before the first special character and ends with the text after
// the last, whatever those mean.
void NamePattern::readEnds()
{
    const std::string_view text = pattern_;
    prefix_ = text.substr(0, text.find_first_of(specialCharacters));
    suffix_ = text.substr(text.find_last_of("*?[]\\") + 1);
    minLength_ = prefix_.size() + suffix_.size();
    runs_.clear();
}

std::optional<unsigned char> NamePattern::lastByte() const
{
    const std::string& last = shape_ == Shape::literal ? pattern_ : suffix_;
    if (last.empty())
        return std::nullopt;
    return static_cast<unsigned char>(last.back());
}

bool NamePattern::matches(std::string_view name) const
{
    if (shape_ == Shape::literal)
        return name == pattern_;
    if (!mayMatch(name))
        return false;
    if (shape_ == Shape::starsAndText)
        return true;
    // A component holds no "/", so the flags that concern slashes do not matter here.
    return ::fnmatch(pattern_.c_str(), name.data(), 0) == 0;
}

bool NamePattern::mayMatch(std::string_view name) const
{
    if (name.size() < minLength_)
        return false;
    // Most names differ in their first or last byte: looked at before anything is compared.
    if (!prefix_.empty() && (name.front() != prefix_.front() || !name.starts_with(prefix_)))
        return false;
    if (!suffix_.empty() && (name.back() != suffix_.back() || !name.ends_with(suffix_)))
        return false;
    return runsInOrder(name.substr(prefix_.size(), name.size() - prefix_.size() - suffix_.size()));
}

// The first place each run fits, after the one before: where a match exists, this finds one.
bool NamePattern::runsInOrder(std::string_view middle) const
{
    std::size_t from = 0;
    for (const std::string& run : runs_) {
        const auto at = middle.find(run, from);
        if (at == std::string_view::npos)
            return false;
        from = at + run.size();
    }
    return true;
}

} // namespace platform
