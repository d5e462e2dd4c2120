#include "ui/design/TagStyle.h"

#include <QCoreApplication>

#include "platform/PlatformWords.h"
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
        return QCoreApplication::translate("TagStyle", "Safe");
    case ScanItem::Tag::system:
        return QCoreApplication::translate("TagStyle", "System");
    case ScanItem::Tag::review:
        return QCoreApplication::translate("TagStyle", "Review");
    case ScanItem::Tag::installer:
        return QCoreApplication::translate("TagStyle", "Installer");
    case ScanItem::Tag::archive:
        return QCoreApplication::translate("TagStyle", "Archive");
    case ScanItem::Tag::old:
        return QCoreApplication::translate("TagStyle", "Old");
    case ScanItem::Tag::running:
        return QCoreApplication::translate("TagStyle", "Open now");
    case ScanItem::Tag::copy:
        return QCoreApplication::translate("TagStyle", "Copy");
    }
    return {};
}

QString helpText(ScanItem::Tag tag)
{
    switch (tag) {
    case ScanItem::Tag::rebuildable:
        return QCoreApplication::translate("TagStyle", "Recreated automatically when it's needed again.");
    case ScanItem::Tag::system:
        return QString::fromUtf8(platform::platformWords().systemTagHelp.data(),
                                 qsizetype(platform::platformWords().systemTagHelp.size()));
    case ScanItem::Tag::review:
        return QCoreApplication::translate("TagStyle", "Might be useful later \u2014 check before removing.");
    case ScanItem::Tag::installer:
        return QCoreApplication::translate("TagStyle", "An installer you've probably already used.");
    case ScanItem::Tag::archive:
        return QCoreApplication::translate("TagStyle", "A compressed archive.");
    case ScanItem::Tag::old:
        return QCoreApplication::translate("TagStyle", "Not opened or added recently.");
    case ScanItem::Tag::running:
        return QCoreApplication::translate("TagStyle", "This app is open. Quit it first \u2014 Quillo won't remove a running app.");
    case ScanItem::Tag::copy:
        return QCoreApplication::translate("TagStyle", "An identical copy of another file. The original is kept.");
    }
    return {};
}

} // namespace TagStyle
