#include "ui/design/Typography.h"

#include <QDirIterator>
#include <QFontDatabase>

#include "ui/design/DesignResources.h"

namespace Typography {

namespace {

const QString roundedFamily = QStringLiteral("Nunito");
const QString plainFamily = QStringLiteral("Nunito Sans");

// Qt turns point sizes into pixels at the paint device's logical DPI, which Qt 6 keeps at 96
// and expresses screen scaling through the device pixel ratio; QFont's pixel size takes whole
// numbers only, and the scale has halves (14.5, 11.5).
constexpr qreal pointsPerPixel = 72.0 / 96.0;

} // namespace

void loadBundledFonts()
{
    static const bool loaded = [] {
        DesignResources::load();
        QDirIterator fonts(QStringLiteral(":/quillo/fonts"), {QStringLiteral("*.woff")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (fonts.hasNext())
            QFontDatabase::addApplicationFont(fonts.next());
        return true;
    }();
    (void)loaded;
}

QFont font(qreal size, QFont::Weight weight, FontDesign design)
{
    loadBundledFonts();
    QFont result;
    switch (design) {
    case FontDesign::rounded:
        result.setFamilies({roundedFamily});
        break;
    case FontDesign::plain:
        result.setFamilies({plainFamily});
        break;
    case FontDesign::monospaced:
        result = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        break;
    }
    result.setPointSizeF(size * pointsPerPixel);
    result.setWeight(weight);
    return result;
}

qreal sizeOf(const QFont& font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() / pointsPerPixel;
}

// Each created once, on first use, and shared.
const QFont& hero() { static const QFont value = font(30, FontWeight::heavy, FontDesign::rounded); return value; }
const QFont& display() { static const QFont value = font(28, FontWeight::heavy, FontDesign::rounded); return value; }
const QFont& title() { static const QFont value = font(24, FontWeight::heavy, FontDesign::rounded); return value; }
const QFont& cardTitle() { static const QFont value = font(15, FontWeight::bold, FontDesign::rounded); return value; }
const QFont& cardValue() { static const QFont value = font(28, FontWeight::heavy, FontDesign::rounded); return value; }
const QFont& cardUnit() { static const QFont value = font(15, FontWeight::bold, FontDesign::rounded); return value; }
const QFont& lead() { static const QFont value = font(14.5, FontWeight::medium, FontDesign::rounded); return value; }
const QFont& body() { static const QFont value = font(13, FontWeight::regular, FontDesign::plain); return value; }
const QFont& caption() { static const QFont value = font(11.5, FontWeight::medium, FontDesign::plain); return value; }
const QFont& section() { static const QFont value = font(13, FontWeight::bold, FontDesign::rounded); return value; }
const QFont& path() { static const QFont value = font(11, FontWeight::regular, FontDesign::monospaced); return value; }

} // namespace Typography
