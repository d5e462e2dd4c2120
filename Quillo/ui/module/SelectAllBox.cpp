#include "ui/module/SelectAllBox.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "ui/design/CheckState.h"
#include "ui/design/Checkbox.h"
#include "ui/design/Palette.h"
#include "ui/design/Shapes.h"
#include "ui/design/Typography.h"
#include "ui/module/ModuleTexts.h"

namespace {

constexpr qreal boxSide = 20;
constexpr qreal spacing = 8;
constexpr qreal boxHeight = 28;
constexpr qreal ringPadding = 4;

const QFont& labelFont()
{
    static const QFont font = Typography::font(12.5, FontWeight::bold, FontDesign::rounded);
    return font;
}

} // namespace

SelectAllBox::SelectAllBox(DynamicColor color, QWidget* parent)
    : QCheckBox(parent), box_(new Checkbox(CheckState::off, color, this))
{
    setTristate(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    box_->setAttribute(Qt::WA_TransparentForMouseEvents);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCounts(0, 0);
}

void SelectAllBox::setCounts(std::size_t selected, std::size_t total)
{
    const CheckState state = ::checkState(selected, total);
    allSelected_ = selected == total && total > 0;
    box_->setState(state);
    setCheckState(state == CheckState::on ? Qt::Checked : state == CheckState::mixed ? Qt::PartiallyChecked : Qt::Unchecked);
    const QString label = ModuleTexts::selectAll(allSelected_);
    if (label != text()) {
        setText(label);
        updateGeometry();
    }
}

QSize SelectAllBox::sizeHint() const
{
    const qreal textWidth = QFontMetricsF(labelFont()).horizontalAdvance(text());
    return {int(std::ceil(ringPadding + boxSide + spacing + textWidth + ringPadding)), int(boxHeight)};
}

void SelectAllBox::resizeEvent(QResizeEvent* event)
{
    QCheckBox::resizeEvent(event);
    box_->setGeometry(int(ringPadding), int((boxHeight - boxSide) / 2), int(boxSide), int(boxSide));
}

void SelectAllBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(labelFont());
    painter.setPen(Palette::ink.current());
    const QFontMetricsF metrics(labelFont());
    const qreal baseline = boxHeight / 2 + metrics.capHeight() / 2;
    painter.drawText(QPointF(ringPadding + boxSide + spacing, baseline), text());
    if (hasFocus())
        painter.strokePath(Shapes::roundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8),
                           QPen(Palette::ink.withOpacity(0.45).current(), 2));
}
