#pragma once

#include <vector>

#include <QFont>
#include <QTextLayout>
#include <QWidget>

#include "ui/design/DynamicColor.h"

// Text in a font and a palette colour, resolved at each paint so it follows the appearance. One
// line by default (elided when asked), or wrapped to its width with extra line spacing; an
// optional leading symbol makes it a label. Laid out when text or width changes. Assistive
// technology reads it as static text, whole even where it is elided.
class TextLabel : public QWidget {
    Q_OBJECT

public:
    TextLabel(const QString& text, const QFont& font, DynamicColor color, QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);
    void setColor(DynamicColor color);
    void setOpacity(qreal opacity);
    // A symbol before the text, in the text's colour, `spacing` apart.
    void setSymbol(const QString& symbolName, qreal spacing = 5);
    // Horizontal placement of the text within the widget.
    void setAlignment(Qt::Alignment alignment);
    // One line cut to the width with an ellipsis where `mode` says (the middle, for paths).
    void setElideMode(Qt::TextElideMode mode);
    // Wrapped to the widget's width, `lineSpacing` added between lines; at most `maximumWidth` wide.
    void setWordWrap(qreal lineSpacing = 0, qreal maximumWidth = QWIDGETSIZE_MAX);

    // The distance from the top to the first line's baseline.
    qreal baseline() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return wraps_; }
    int heightForWidth(int width) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Line {
        QString text;
        QPointF origin; // baseline start
    };
    std::vector<Line> linesFor(qreal width) const;
    qreal textRoomFor(qreal width) const;
    qreal symbolRoom() const;
    void relayout();

    QString text_;
    QFont font_;
    DynamicColor color_;
    qreal opacity_ = 1;
    QString symbol_;
    qreal symbolSpacing_ = 5;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    Qt::TextElideMode elideMode_ = Qt::ElideNone;
    bool wraps_ = false;
    qreal lineSpacing_ = 0;
    qreal maximumWidth_ = QWIDGETSIZE_MAX;
    std::vector<Line> lines_;
    QRectF symbolRect_;
};

// A section heading: bold rounded, in the secondary ink.
class SectionLabel : public TextLabel {
public:
    explicit SectionLabel(const QString& text, QWidget* parent = nullptr);
};
