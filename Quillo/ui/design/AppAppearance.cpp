#include "ui/design/AppAppearance.h"

std::string_view rawValue(AppAppearance appearance)
{
    switch (appearance) {
    case AppAppearance::light:
        return "light";
    case AppAppearance::dark:
        return "dark";
    case AppAppearance::system:
        break;
    }
    return "system";
}

std::optional<AppAppearance> appAppearanceFromRawValue(std::string_view value)
{
    for (AppAppearance appearance : allAppAppearances)
        if (rawValue(appearance) == value)
            return appearance;
    return std::nullopt;
}
