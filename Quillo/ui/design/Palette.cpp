#include "ui/design/Palette.h"

#include <QWidget>

#include "ui/design/Appearance.h"

QPalette Palette::qtPalette()
{
    QPalette palette;
    const QColor text = ink.current();
    palette.setColor(QPalette::Window, canvas.current());
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, card.current());
    palette.setColor(QPalette::AlternateBase, sunken.current());
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Button, sunken.current());
    palette.setColor(QPalette::ToolTipBase, card.current());
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, inkTertiary.current());
    palette.setColor(QPalette::Highlight, brand.current());
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Mid, hairline.current());
    palette.setColor(QPalette::Disabled, QPalette::Text, inkTertiary.current());
    palette.setColor(QPalette::Disabled, QPalette::WindowText, inkTertiary.current());
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, inkTertiary.current());
    return palette;
}

void Palette::follow(QWidget* window)
{
    window->setPalette(qtPalette());
    QObject::connect(&Appearance::instance(), &Appearance::changed, window,
                     [window] { window->setPalette(qtPalette()); });
}
