#include "ui/module/AllClearView.h"

#include <QVBoxLayout>

#include "ui/design/Overflow.h"
#include "ui/design/Palette.h"
#include "ui/design/SoftButton.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/mascot/Mascot.h"
#include "ui/module/ModuleTexts.h"

AllClearView::AllClearView(Module module, QWidget* parent) : QWidget(parent), scanAgain_(new SoftButton(tr("Scan again")))
{
    auto* column = new QVBoxLayout(this);
    column->setSpacing(10);
    column->addStretch();
    auto* mascot = new Mascot(Mascot::Mood::delighted, 96);
    Overflow::addWidget(column, mascot, mascot->overflowMargins(), Qt::AlignHCenter);
    column->addSpacing(8);
    auto* title = new TextLabel(tr("Spotless!"), Typography::display(), Palette::ink);
    title->setAlignment(Qt::AlignHCenter);
    column->addWidget(title, 0, Qt::AlignHCenter);
    auto* message = new TextLabel(ModuleTexts::allClearMessage(module), Typography::lead(), Palette::inkSecondary);
    message->setAlignment(Qt::AlignHCenter);
    column->addWidget(message, 0, Qt::AlignHCenter);
    column->addSpacing(4);
    column->addWidget(scanAgain_, 0, Qt::AlignHCenter);
    column->addStretch();
    connect(scanAgain_, &QAbstractButton::clicked, this, &AllClearView::scanAgainClicked);
}
