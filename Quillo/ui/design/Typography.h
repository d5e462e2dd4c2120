#pragma once

#include <QFont>

// The two designs of the bundled type family: a rounded face for headings, figures and buttons, and
// its plain sibling for running text; paths use the desktop's fixed-pitch font.
enum class FontDesign { plain, rounded, monospaced };

// Weights by their usual names; heavy sits between bold and black.
namespace FontWeight {
inline constexpr QFont::Weight regular = QFont::Normal;
inline constexpr QFont::Weight medium = QFont::Medium;
inline constexpr QFont::Weight semibold = QFont::DemiBold;
inline constexpr QFont::Weight bold = QFont::Bold;
inline constexpr QFont::Weight heavy = QFont::ExtraBold;
inline constexpr QFont::Weight black = QFont::Black;
} // namespace FontWeight

// The type scale. Sizes are in the same units as widget geometry (logical pixels), so text lines
// up with the fixed heights of buttons and bars whatever the screen's font scaling.
namespace Typography {

const QFont& hero();      // 30 heavy rounded
const QFont& display();   // 28 heavy rounded
const QFont& title();     // 24 heavy rounded
const QFont& cardTitle(); // 15 bold rounded
const QFont& cardValue(); // 28 heavy rounded
const QFont& cardUnit();  // 15 bold rounded
const QFont& lead();      // 14.5 medium rounded
const QFont& body();      // 13 regular
const QFont& caption();   // 11.5 medium
const QFont& section();   // 13 bold rounded
const QFont& path();      // 11 regular monospaced

// Any other size the screens name ("system font 19, heavy, rounded").
QFont font(qreal size, QFont::Weight weight, FontDesign design = FontDesign::plain);

// The size of `font` in the units above.
qreal sizeOf(const QFont& font);

// Registers the bundled faces with Qt once; every font above calls it, so only code that asks Qt
// for the families directly needs to.
void loadBundledFonts();

} // namespace Typography
