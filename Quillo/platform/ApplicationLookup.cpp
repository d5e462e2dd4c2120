#include "platform/ApplicationLookup.h"

#include <algorithm>

namespace platform {

namespace {

// Bundle identifiers are ASCII (letters, digits, "-" and "."), so folding ASCII letters is
// the whole of a case-insensitive comparison.
std::string folded(std::string_view identifier)
{
    std::string result(identifier);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return result;
}

} // namespace

ApplicationLookup::ApplicationLookup(std::vector<AppBundle> bundles) : bundles_(std::move(bundles))
{
    for (std::size_t i = 0; i < bundles_.size(); ++i)
        byFoldedIdentifier_.try_emplace(folded(bundles_[i].identifier), i);
}

const AppBundle* ApplicationLookup::application(std::string_view bundleIdentifier) const
{
    const auto found = byFoldedIdentifier_.find(folded(bundleIdentifier));
    return found == byFoldedIdentifier_.end() ? nullptr : &bundles_[found->second];
}

std::optional<std::filesystem::path> ApplicationLookup::location(std::string_view bundleIdentifier) const
{
    const AppBundle* found = application(bundleIdentifier);
    if (!found)
        return std::nullopt;
    return found->location;
}

} // namespace platform
