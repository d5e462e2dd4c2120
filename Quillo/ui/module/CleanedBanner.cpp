#include "ui/module/CleanedBanner.h"

#include <QHBoxLayout>
#include <QPainter>

#include "ui/design/IconButton.h"
#include "ui/design/Overflow.h"
#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"
#include "ui/design/SoftButton.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/mascot/Mascot.h"
#include "ui/module/ModuleTexts.h"

CleanedBanner::CleanedBanner(const CleanSummary& summary, QWidget* parent)
    : QWidget(parent), detail_(new TextLabel(ModuleTexts::bannerDetail(summary), Typography::caption(), Palette::inkSecondary)),
      undo_(new SoftButton(tr("Undo"), ButtonSize::small))
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
    detail_->setWordWrap();
    texts->addWidget(detail_);
    row->addLayout(texts, 1);
    undo_->setToolTip(tr("Put the cleaned items back where they were"));
    undo_->hide();
    row->addWidget(undo_);
    connect(undo_, &QAbstractButton::clicked, this, &CleanedBanner::undoClicked);
    auto* dismiss = new IconButton(QStringLiteral("xmark"), tr("Dismiss"));
    row->addWidget(dismiss);
    connect(dismiss, &QAbstractButton::clicked, this, &CleanedBanner::dismissed);
    setAccessibleName(ModuleTexts::bannerTitle(summary));
    setAccessibleDescription(ModuleTexts::bannerDetail(summary));
}

void CleanedBanner::setUndoAvailable(bool available)
{
    undo_->setVisible(available);
}

void CleanedBanner::setDetail(const QString& text)
{
    detail_->setText(text);
    setAccessibleDescription(text);
}

const QString& CleanedBanner::detail() const
{
    return detail_->text();
}

void CleanedBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(Shapes::roundedRect(rect(), 18), Palette::successTint.current());
}
