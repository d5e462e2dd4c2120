#include "app/Brand.h"

#include <QHBoxLayout>

#include "ui/design/Overflow.h"
#include "ui/design/Palette.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/mascot/Mascot.h"

Brand::Brand(QWidget* parent) : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    auto* mascot = new Mascot(Mascot::Mood::happy, 30);
    Overflow::addWidget(row, mascot, mascot->overflowMargins(), Qt::AlignVCenter);
    row->addWidget(new TextLabel(QStringLiteral("Quillo"), Typography::font(19, FontWeight::heavy, FontDesign::rounded),
                                 Palette::ink),
                   0, Qt::AlignVCenter);
    row->addStretch();
}
