#include "ui/design/Overflow.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QWidget>
#include <QWidgetItem>

namespace {

class OverflowItem : public QWidgetItem {
public:
    OverflowItem(QWidget* widget, const QMargins& margins, Qt::Alignment alignment)
        : QWidgetItem(widget), margins_(margins)
    {
        setAlignment(alignment);
    }

    void setGeometry(const QRect& rect) override
    {
        QWidgetItem::setGeometry(rect);
        widget()->setGeometry(widget()->geometry().marginsAdded(margins_));
    }

private:
    QMargins margins_;
};

// A layout takes in the widgets it is given through addWidget, not those inside items it is given.
void adopt(QLayout* layout, QWidget* widget)
{
    if (QWidget* host = layout->parentWidget(); host && widget->parentWidget() != host)
        widget->setParent(host);
}

} // namespace

void Overflow::addWidget(QBoxLayout* layout, QWidget* widget, const QMargins& margins, Qt::Alignment alignment)
{
    adopt(layout, widget);
    layout->addItem(new OverflowItem(widget, margins, alignment));
}

void Overflow::addWidget(QGridLayout* layout, QWidget* widget, int row, int column, const QMargins& margins,
                         Qt::Alignment alignment)
{
    adopt(layout, widget);
    layout->addItem(new OverflowItem(widget, margins, alignment), row, column, 1, 1, alignment);
}
