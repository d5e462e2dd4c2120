#include "ui/settings/FormSection.h"

#include <algorithm>
#include <functional>

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/design/Card.h"
#include "ui/design/Palette.h"
#include "ui/design/ScrollView.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"

namespace {

// A hairline between two rows, inset from the card's left edge as the rows' text is.
class Separator : public QWidget {
public:
    Separator() { setFixedHeight(1); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Palette::hairline.current());
    }
};

constexpr int rowPadding = 14;

} // namespace

FormSection::FormSection(const QString& title, QWidget* parent)
    : QWidget(parent), card_(new Card(12)), rows_(new QVBoxLayout(card_))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto* heading = new QHBoxLayout;
    heading->setContentsMargins(4, 0, 4, 0);
    heading->addWidget(new SectionLabel(title));
    column->addLayout(heading);
    column->addWidget(card_);
    rows_->setContentsMargins(rowPadding, 0, rowPadding, 0);
    rows_->setSpacing(0);
}

void FormSection::addSeparatorIfNeeded()
{
    if (rows_->count() > 0)
        rows_->addWidget(new Separator);
}

TextLabel* FormSection::addRow(const QString& label, QWidget* control)
{
    addSeparatorIfNeeded();
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 10, 0, 10);
    row->setSpacing(16);
    auto* text = new TextLabel(label, Typography::body(), Palette::ink);
    text->setWordWrap();
    row->addWidget(text, 1, Qt::AlignVCenter);
    row->addWidget(control, 0, Qt::AlignRight | Qt::AlignVCenter);
    rows_->addLayout(row);
    return text;
}

void FormSection::addPathRows(const std::vector<std::pair<QString, QWidget*>>& rows, int visibleRows)
{
    if (rows.empty())
        return;
    addSeparatorIfNeeded();
    auto* list = new QWidget;
    auto* column = new QVBoxLayout(list);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    int rowHeight = 0;
    for (const auto& [path, control] : rows) {
        if (column->count() > 0)
            column->addWidget(new Separator);
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 8, 0, 8);
        row->setSpacing(16);
        auto* text = new TextLabel(path, Typography::body(), Palette::ink);
        text->setElideMode(Qt::ElideMiddle);
        text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        text->setToolTip(path);
        row->addWidget(text, 1, Qt::AlignVCenter);
        row->addWidget(control, 0, Qt::AlignRight | Qt::AlignVCenter);
        column->addLayout(row);
        rowHeight = std::max(rowHeight, row->sizeHint().height() + 1);
    }
    auto* scroller = new ScrollView;
    scroller->setWidget(list);
    const int shown = std::min<int>(visibleRows, int(rows.size()));
    scroller->setFixedHeight(std::min(list->sizeHint().height(), shown * rowHeight));
    rows_->addWidget(scroller);
}

void FormSection::addWidgetRow(QWidget* widget)
{
    addSeparatorIfNeeded();
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 10, 0, 10);
    row->addWidget(widget);
    row->addStretch();
    rows_->addLayout(row);
}

void FormSection::clearRows()
{
    std::function<void(QLayoutItem*)> drop = [&drop](QLayoutItem* item) {
        if (QLayout* inner = item->layout()) {
            while (QLayoutItem* child = inner->takeAt(0))
                drop(child);
        }
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    };
    while (QLayoutItem* item = rows_->takeAt(0))
        drop(item);
}

TextLabel* FormSection::addNote(const QString& text)
{
    auto* note = new TextLabel(text, Typography::caption(), Palette::inkSecondary);
    note->setWordWrap(2);
    rows_->addWidget(note);
    rows_->addSpacing(10);
    return note;
}

void FormSection::setFooter(const QString& text)
{
    if (!footer_) {
        footer_ = new TextLabel(QString(), Typography::caption(), Palette::inkSecondary);
        footer_->setWordWrap(2);
        auto* line = new QHBoxLayout;
        line->setContentsMargins(4, 0, 4, 0);
        line->addWidget(footer_);
        static_cast<QVBoxLayout*>(layout())->addLayout(line);
    }
    footer_->setText(text);
}
