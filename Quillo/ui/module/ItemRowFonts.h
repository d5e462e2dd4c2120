#pragma once

#include <QFont>

// The type of a result row.
namespace ItemRowFonts {

const QFont& name();     // 13.5 bold
const QFont& subtitle(); // the caption
const QFont& size();     // 13.5 heavy, digits monospaced where drawn

} // namespace ItemRowFonts
