#pragma once

#include <QScrollArea>

class QScrollBar;

// A vertical scroll area as the screens use it: no frame, the canvas showing through, content as
// wide as the view, and slim rounded scroll bars in the faint ink that follow the appearance
// (or none, for views that hide their indicators). Shadows of widgets in its content fall on the
// content, so they scroll with it.
class ScrollView : public QScrollArea {
public:
    explicit ScrollView(QWidget* parent = nullptr);

    void setIndicatorsHidden(bool hidden);
    // Gives `bar` the slim rounded look, following the appearance; for scroll areas of other kinds.
    static void style(QScrollBar* bar);
    // QScrollArea::setWidget, keeping the content transparent (QScrollArea makes it fill its
    // background with the stock palette).
    void setWidget(QWidget* content);

private:
    static void restyle(QScrollBar* bar);
};
