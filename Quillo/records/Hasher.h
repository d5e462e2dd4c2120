#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/Date.h"

// Feeds values one after another into a single hash, so that records hash field by field in a
// fixed order (optional values as a presence marker followed by the value, lists as their
// length followed by the elements).
class Hasher {
public:
    template <class T>
    void combine(const T& value) { mix(std::hash<T>{}(value)); }

    void combine(const std::filesystem::path& path) { mix(std::filesystem::hash_value(path)); }
    void combine(const Date& date) { combine(date.time_since_epoch().count()); }

    template <class T>
    void combine(const std::optional<T>& value)
    {
        combine(value.has_value() ? 1 : 0);
        if (value)
            combine(*value);
    }

    template <class T>
    void combine(const std::vector<T>& values)
    {
        combine(values.size());
        for (const T& value : values)
            combine(value);
    }

    std::size_t value() const { return state_; }

private:
    void mix(std::size_t h) { state_ ^= h + 0x9e3779b97f4a7c15ULL + (state_ << 6) + (state_ >> 2); }

    std::size_t state_ = 0;
};
