#include "ui/module/CleanedBanner.h"

#include <QHBoxLayout>
#include <QPainter>

#include "ui/design/IconButton.h"
#include "ui/design/Overflow.h"
#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/mascot/Mascot.h"
#include "ui/module/ModuleTexts.h"

CleanedBanner::CleanedBanner(const CleanSummary& summary, QWidget* parent) : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 12, 16, 12);
    row->setSpacing(14);
    auto* mascot = new Mascot(Mascot::Mood::delighted, 40);
    Overflow::addWidget(row, mascot, mascot->overflowMargins());
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(new TextLabel(ModuleTexts::bannerTitle(summary),
                                   Typography::font(15, FontWeight::heavy, FontDesign::rounded), Palette::success));
    auto* detail = new TextLabel(ModuleTexts::bannerDetail(summary), Typography::caption(), Palette::inkSecondary);
    detail->setWordWrap();
    texts->addWidget(detail);
    row->addLayout(texts, 1);
    auto* dismiss = new IconButton(QStringLiteral("xmark"), tr("Dismiss"));
    row->addWidget(dismiss);
    connect(dismiss, &QAbstractButton::clicked, this, &CleanedBanner::dismissed);
    setAccessibleName(ModuleTexts::bannerTitle(summary));
    setAccessibleDescription(ModuleTexts::bannerDetail(summary));
}

void CleanedBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(Shapes::roundedRect(rect(), 18), Palette::successTint.current());
}
