#include "ui/module/CleanActionBar.h"

#include <QHBoxLayout>
#include <QPainter>

#include "ui/design/DropShadow.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Palette.h"
#include "ui/design/PillButton.h"
#include "ui/design/Shapes.h"
#include "ui/design/SizeText.h"
#include "ui/design/SoftButton.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/module/ModuleTexts.h"

CleanActionBar::CleanActionBar(Module module, QWidget* parent)
    : QWidget(parent),
      bytes_(new SizeText(0, Typography::font(20, FontWeight::heavy, FontDesign::rounded),
                          Typography::font(13, FontWeight::bold, FontDesign::rounded))),
      count_(new TextLabel(QString(), Typography::caption(), Palette::inkSecondary)),
      rescan_(new SoftButton(tr("Rescan"))), shadow_(new DropShadow(this))
{
    const ModuleTheme theme = ModuleTheme::of(module);
    const ModuleTexts::CleanButton label = ModuleTexts::cleanButton(module);
    clean_ = new PillButton(label.text, theme.strong, theme.onStrong);
    clean_->setSymbol(label.symbol);
    clean_->setDefault(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(10);
    auto* figures = new QVBoxLayout;
    figures->setContentsMargins(12, 0, 0, 0);
    figures->setSpacing(0);
    figures->addWidget(bytes_);
    figures->addWidget(count_);
    row->addLayout(figures);
    row->addStretch();
    row->addWidget(rescan_);
    row->addWidget(clean_);
    connect(rescan_, &QAbstractButton::clicked, this, &CleanActionBar::rescanClicked);
    connect(clean_, &QAbstractButton::clicked, this, &CleanActionBar::cleanClicked);
    setSelection(0, 0);
}

void CleanActionBar::setSelection(std::size_t count, std::int64_t bytes)
{
    bytes_->setBytes(bytes);
    count_->setText(ModuleTexts::selectedCount(count));
    clean_->setEnabled(count > 0);
}

QSize CleanActionBar::sizeHint() const
{
    return {maximumWidth, layout()->sizeHint().height()};
}

void CleanActionBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (shadow_)
        shadow_->setShape(rect(), height() / 2.0, {{Palette::shadow, 1, 24, {0, 10}}});
}

void CleanActionBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = rect();
    painter.fillPath(Shapes::capsule(body), Palette::card.current());
    painter.strokePath(Shapes::capsule(body.adjusted(0.5, 0.5, -0.5, -0.5)), QPen(Palette::hairline.current(), 1));
}
