#pragma once

#include <cstdint>
#include <optional>

#include "records/CleanSummary.h"

// The phase of one module. Only `cleaned` carries a value, the summary of the clean.
class ScanPhase {
public:
    enum class Kind : std::uint8_t { idle, scanning, ready, cleaning, cleaned };

    constexpr ScanPhase() = default;
    static constexpr ScanPhase idle() { return ScanPhase(Kind::idle); }
    static constexpr ScanPhase scanning() { return ScanPhase(Kind::scanning); }
    static constexpr ScanPhase ready() { return ScanPhase(Kind::ready); }
    static constexpr ScanPhase cleaning() { return ScanPhase(Kind::cleaning); }
    static constexpr ScanPhase cleaned(CleanSummary summary) { return ScanPhase(Kind::cleaned, summary); }

    constexpr Kind kind() const { return kind_; }
    // The summary of a `cleaned` phase; absent in every other phase.
    constexpr std::optional<CleanSummary> summary() const
    {
        return kind_ == Kind::cleaned ? std::optional(summary_) : std::nullopt;
    }

    // Same case, and for `cleaned` equal summaries.
    constexpr bool operator==(const ScanPhase& other) const
    {
        return kind_ == other.kind_ && (kind_ != Kind::cleaned || summary_ == other.summary_);
    }

private:
    constexpr explicit ScanPhase(Kind kind, CleanSummary summary = {}) : kind_(kind), summary_(summary) {}

    Kind kind_ = Kind::idle;
    CleanSummary summary_;
};

template <>
struct std::hash<ScanPhase> {
    std::size_t operator()(const ScanPhase& phase) const noexcept
    {
        Hasher hasher;
        hasher.combine(static_cast<int>(phase.kind()));
        if (auto summary = phase.summary())
            hasher.combine(*summary);
        return hasher.value();
    }
};
