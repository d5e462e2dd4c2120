#include "ui/design/ScrollView.h"

#include <QScrollBar>

#include "ui/design/Appearance.h"
#include "ui/design/Palette.h"

namespace {

QString rgba(const QColor& color)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(color.red()).arg(color.green()).arg(color.blue()).arg(color.alpha());
}

} // namespace

ScrollView::ScrollView(QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    style(verticalScrollBar());
}

void ScrollView::setIndicatorsHidden(bool hidden)
{
    setVerticalScrollBarPolicy(hidden ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

void ScrollView::setWidget(QWidget* content)
{
    QScrollArea::setWidget(content);
    content->setAutoFillBackground(false);
}

void ScrollView::style(QScrollBar* bar)
{
    QObject::connect(&Appearance::instance(), &Appearance::changed, bar, [bar] { restyle(bar); });
    restyle(bar);
}

void ScrollView::restyle(QScrollBar* bar)
{
    QColor handle = Palette::inkTertiary.current();
    handle.setAlphaF(0.55);
    QColor hovered = Palette::inkSecondary.current();
    hovered.setAlphaF(0.7);
    bar->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { background: transparent; width: 10px; margin: 4px 2px 4px 0; }"
        "QScrollBar::handle:vertical { background: %1; border-radius: 4px; min-height: 32px; }"
        "QScrollBar::handle:vertical:hover { background: %2; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: transparent; }")
                                           .arg(rgba(handle), rgba(hovered)));
}
