#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

// The closed list of the ten cleaning modules. A one-byte value whose every property is a fixed
// function of the case; callable from any thread.
class Module {
public:
    enum Case : std::uint8_t {
        smartScan,
        systemJunk,
        developerJunk,
        trash,
        uninstaller,
        leftovers,
        largeFiles,
        duplicates,
        downloads,
        iosBackups,
    };
    static constexpr std::size_t caseCount = 10;

    constexpr Module(Case c) noexcept : case_(c) {}
    // Lets a Module be switched over and compared by its case index.
    constexpr operator Case() const noexcept { return case_; }

    static constexpr std::array<Module, caseCount> allCases()
    {
        return {smartScan, systemJunk, developerJunk, trash, uninstaller,
                leftovers, largeFiles, duplicates, downloads, iosBackups};
    }

    // The case whose name equals `rawValue` exactly (case-sensitive, no trimming).
    static std::optional<Module> fromRawValue(std::string_view rawValue);

    std::string_view rawValue() const;
    std::string_view id() const { return rawValue(); }
    std::string_view title() const;
    std::string_view tagline() const;
    std::string_view headline() const;
    std::string_view explanation() const;
    // A system symbol name, drawn as the module's icon.
    std::string_view symbol() const;
    // Where the module looks, as short labels for display only; the same array on every call.
    std::span<const std::string_view> locations() const;
    bool needsFullDiskAccess() const;
    // The leaf modules a scan of this module runs: the three smart-scan targets, else itself.
    std::span<const Module> scanTargets() const;
    bool isLeaf() const { return case_ != smartScan; }

private:
    Case case_;
};

static_assert(sizeof(Module) == 1);

template <>
struct std::hash<Module> {
    // A module hashes as its name does.
    std::size_t operator()(Module module) const noexcept { return std::hash<std::string_view>{}(module.rawValue()); }
};
