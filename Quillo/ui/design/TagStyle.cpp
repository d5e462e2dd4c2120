#include "ui/design/TagStyle.h"

#include "ui/design/ModuleTheme.h"
#include "ui/design/Palette.h"

namespace TagStyle {

DynamicColor color(ScanItem::Tag tag)
{
    switch (tag) {
    case ScanItem::Tag::rebuildable:
        return Palette::success;
    case ScanItem::Tag::system:
        return ModuleTheme::of(Module::downloads).strong;
    case ScanItem::Tag::review:
    case ScanItem::Tag::running:
        return Palette::warning;
    case ScanItem::Tag::installer:
        return ModuleTheme::of(Module::smartScan).strong;
    case ScanItem::Tag::archive:
        return ModuleTheme::of(Module::developerJunk).strong;
    case ScanItem::Tag::old:
        return Palette::inkSecondary;
    case ScanItem::Tag::copy:
        return ModuleTheme::of(Module::duplicates).strong;
    }
    return Palette::inkSecondary;
}

QString pillText(ScanItem::Tag tag)
{
    switch (tag) {
    case ScanItem::Tag::rebuildable:
        return QStringLiteral("Safe");
    case ScanItem::Tag::system:
        return QStringLiteral("System");
    case ScanItem::Tag::review:
        return QStringLiteral("Review");
    case ScanItem::Tag::installer:
        return QStringLiteral("Installer");
    case ScanItem::Tag::archive:
        return QStringLiteral("Archive");
    case ScanItem::Tag::old:
        return QStringLiteral("Old");
    case ScanItem::Tag::running:
        return QStringLiteral("Open now");
    case ScanItem::Tag::copy:
        return QStringLiteral("Copy");
    }
    return {};
}

QString helpText(ScanItem::Tag tag)
{
    switch (tag) {
    case ScanItem::Tag::rebuildable:
        return QStringLiteral("Recreated automatically when it's needed again.");
    case ScanItem::Tag::system:
        return QStringLiteral("Belongs to macOS. Usually safe to remove, but worth a look.");
    case ScanItem::Tag::review:
        return QStringLiteral("Might be useful later \u2014 check before removing.");
    case ScanItem::Tag::installer:
        return QStringLiteral("An installer you've probably already used.");
    case ScanItem::Tag::archive:
        return QStringLiteral("A compressed archive.");
    case ScanItem::Tag::old:
        return QStringLiteral("Not opened or added recently.");
    case ScanItem::Tag::running:
        return QStringLiteral("This app is open. Quit it first \u2014 Quillo won't remove a running app.");
    case ScanItem::Tag::copy:
        return QStringLiteral("An identical copy of another file. The original is kept.");
    }
    return {};
}

} // namespace TagStyle
