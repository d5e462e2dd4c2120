#pragma once

#include <array>
#include <optional>
#include <string_view>

// The appearance the user chose: follow the desktop, or always light, or always dark.
enum class AppAppearance { system, light, dark };

inline constexpr std::array<AppAppearance, 3> allAppAppearances{AppAppearance::system, AppAppearance::light,
                                                                 AppAppearance::dark};

// "system", "light" or "dark": the value stored under the "appearance" preference.
std::string_view rawValue(AppAppearance appearance);
std::optional<AppAppearance> appAppearanceFromRawValue(std::string_view rawValue);
