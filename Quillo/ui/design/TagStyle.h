#pragma once

#include <QString>

#include "records/ScanItem.h"
#include "ui/design/DynamicColor.h"

// How an item's tag is shown: its pill's colour and text, and the help its pill shows on hover.
namespace TagStyle {

DynamicColor color(ScanItem::Tag tag);
QString pillText(ScanItem::Tag tag);
QString helpText(ScanItem::Tag tag);

} // namespace TagStyle
