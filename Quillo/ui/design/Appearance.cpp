#include "ui/design/Appearance.h"

#include <QApplication>
#include <QWidget>

#include "ui/design/DynamicColor.h"

QColor DynamicColor::current() const
{
    return resolved(Appearance::isDark());
}

Appearance& Appearance::instance()
{
    static Appearance* appearance = new Appearance;
    return *appearance;
}

void Appearance::apply(bool dark)
{
    if (dark == dark_)
        return;
    dark_ = dark;
    Q_EMIT changed(dark);
    // A parent's update does not reach children that paint themselves, so every widget is asked.
    for (QWidget* widget : QApplication::allWidgets())
        widget->update();
}
