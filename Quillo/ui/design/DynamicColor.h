#pragma once

#include <QColor>
#include <QRgb>

// An sRGB colour as 0xRRGGBB with an opacity, for colour tables.
constexpr QRgb hexColor(unsigned rgb, double opacity = 1.0)
{
    return qRgba(int((rgb >> 16) & 0xff), int((rgb >> 8) & 0xff), int(rgb & 0xff), int(opacity * 255.0 + 0.5));
}

// A colour with a light and a dark variant, resolved each time it is drawn against the appearance
// in force (Appearance::isDark), so switching the appearance needs only a repaint. A plain colour
// is one whose two variants are equal.
class DynamicColor {
public:
    constexpr DynamicColor() noexcept = default;
    constexpr explicit DynamicColor(QRgb both) noexcept : light_(both), dark_(both) {}
    constexpr DynamicColor(QRgb light, QRgb dark) noexcept : light_(light), dark_(dark) {}
    DynamicColor(const QColor& both) : DynamicColor(both.rgba()) {}
    DynamicColor(Qt::GlobalColor both) : DynamicColor(QColor(both)) {}

    QColor resolved(bool dark) const { return QColor::fromRgba(dark ? dark_ : light_); }
    // The variant for the appearance in force.
    QColor current() const;

    // The same colour with its opacity multiplied by `factor`, in both variants.
    constexpr DynamicColor withOpacity(double factor) const
    {
        return DynamicColor(scaledAlpha(light_, factor), scaledAlpha(dark_, factor));
    }

    constexpr QRgb light() const { return light_; }
    constexpr QRgb dark() const { return dark_; }
    constexpr bool operator==(const DynamicColor&) const = default;

private:
    static constexpr QRgb scaledAlpha(QRgb rgba, double factor)
    {
        return qRgba(qRed(rgba), qGreen(rgba), qBlue(rgba), int(qAlpha(rgba) * factor + 0.5));
    }

    QRgb light_ = 0;
    QRgb dark_ = 0;
};

// The colour `t` of the way from `from` to `to` (0 gives `from`), channel by channel with alpha.
QColor blend(const QColor& from, const QColor& to, qreal t);
