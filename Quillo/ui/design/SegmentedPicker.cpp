#include "ui/design/SegmentedPicker.h"

#include <cmath>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFontMetricsF>
#include <QPainter>

#include "ui/design/Motion.h"
#include "ui/design/Palette.h"
#include "ui/design/Shadow.h"
#include "ui/design/Shapes.h"
#include "ui/design/Typography.h"

namespace {

constexpr qreal pickerHeight = 28;
constexpr qreal inset = 2;
// Narrow enough that a settings row holds the four size choices beside its label on one line.
constexpr qreal segmentPadding = 10;

const QFont& segmentFont()
{
    static const QFont font = Typography::font(12, FontWeight::bold, FontDesign::rounded);
    return font;
}

// One choice: its label drawn by the picker, itself only the hit area, the focus ring and the
// radio button assistive technology sees.
class Segment : public QAbstractButton {
public:
    Segment(const QString& label, QWidget* parent) : QAbstractButton(parent)
    {
        setText(label);
        setCheckable(true);
        setAutoExclusive(true);
        setFocusPolicy(Qt::TabFocus);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor ink = isChecked() ? Palette::ink.current() : Palette::inkSecondary.current();
        painter.setFont(segmentFont());
        painter.setPen(ink);
        painter.drawText(rect(), Qt::AlignCenter, text());
        if (hasFocus()) {
            const QRectF ring = QRectF(rect()).adjusted(1, 1, -1, -1);
            painter.strokePath(Shapes::capsule(ring), QPen(Palette::ink.withOpacity(0.45).current(), 2));
        }
    }
};

} // namespace

SegmentedPicker::SegmentedPicker(const QStringList& labels, const QString& title, QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)), motion_(new Motion(this, [this](qreal v) { setSlide(v); }, 1))
{
    setAccessibleName(title);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    for (int i = 0; i < labels.size(); ++i) {
        auto* segment = new Segment(labels[i], this);
        group_->addButton(segment, i);
        segments_.push_back(segment);
    }
    if (!segments_.empty())
        segments_.front()->setChecked(true);
    connect(group_, &QButtonGroup::idClicked, this, [this](int index) { choose(index, true); });
    connect(group_, &QButtonGroup::idToggled, this, [this](int index, bool on) {
        // Arrow keys move the choice without a click.
        if (on && index != current_)
            choose(index, true);
    });
    relayout();
}

void SegmentedPicker::setCurrent(int index)
{
    if (index >= int(segments_.size()))
        return;
    if (index < 0) {
        // An exclusive group keeps one segment checked unless told otherwise for a moment.
        group_->setExclusive(false);
        for (QAbstractButton* segment : segments_)
            segment->setChecked(false);
        group_->setExclusive(true);
        choose(-1, false);
        return;
    }
    // Chosen first, so that the segment's toggle is not taken for the user's.
    choose(index, false);
    segments_[std::size_t(index)]->setChecked(true);
}

void SegmentedPicker::choose(int index, bool byUser)
{
    if (index == current_)
        return;
    previous_ = current_;
    current_ = index;
    // The thumb slides from one choice to another; to or from no choice it appears or goes.
    motion_->jumpTo(previous_ < 0 || current_ < 0 ? 1 : 0);
    motion_->animateTo(1, Timing::spring(0.3, 0.85));
    for (QAbstractButton* segment : segments_)
        segment->update();
    if (byUser)
        Q_EMIT currentChanged(index);
}

void SegmentedPicker::setSlide(qreal slide)
{
    slide_ = slide;
    update();
}

QSize SegmentedPicker::sizeHint() const
{
    if (frames_.empty())
        return {int(2 * inset), int(pickerHeight)};
    return {int(std::ceil(frames_.back().right() + inset)), int(pickerHeight)};
}

void SegmentedPicker::relayout()
{
    const QFontMetricsF metrics(segmentFont());
    frames_.clear();
    qreal x = inset;
    for (QAbstractButton* segment : segments_) {
        const qreal width = std::ceil(metrics.horizontalAdvance(segment->text()) + 2 * segmentPadding);
        frames_.emplace_back(x, inset, width, pickerHeight - 2 * inset);
        segment->setGeometry(frames_.back().toAlignedRect());
        x += width;
    }
    updateGeometry();
}

void SegmentedPicker::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void SegmentedPicker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(Shapes::capsule(QRectF(0, 0, width(), pickerHeight)), Palette::sunken.current());
    if (frames_.empty() || current_ < 0)
        return;
    const QRectF& from = frames_[std::size_t(previous_ < 0 ? current_ : previous_)];
    const QRectF& to = frames_[std::size_t(current_)];
    const QRectF thumb(from.x() + (to.x() - from.x()) * slide_, to.y(),
                       from.width() + (to.width() - from.width()) * slide_, to.height());
    Shadow::paintRoundedRect(painter, thumb, thumb.height() / 2, {Palette::shadow.current(), 4, {0, 1}});
    painter.fillPath(Shapes::capsule(thumb), Palette::card.current());
}
