#include "ui/design/ButtonSize.h"

#include "ui/design/Typography.h"

namespace {

struct ButtonMetrics {
    qreal fontSize;
    qreal padding;
    qreal height;
};

constexpr ButtonMetrics metrics(ButtonSize size)
{
    switch (size) {
    case ButtonSize::small:
        return {12, 12, 28};
    case ButtonSize::large:
        return {16, 26, 46};
    case ButtonSize::regular:
        break;
    }
    return {14, 18, 36};
}

} // namespace

QFont buttonFont(ButtonSize size)
{
    return Typography::font(metrics(size).fontSize, FontWeight::bold, FontDesign::rounded);
}

qreal buttonPadding(ButtonSize size)
{
    return metrics(size).padding;
}

qreal buttonHeight(ButtonSize size)
{
    return metrics(size).height;
}
