#include <QHBoxLayout>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "support/WidgetApplication.h"
#include "ui/design/CanvasBackground.h"
#include "ui/design/Card.h"
#include "ui/design/DropShadow.h"
#include "ui/design/Overflow.h"
#include "ui/design/ScrollView.h"

namespace {

// A drawing of a fixed 40 × 40 frame that does not forbid being made larger.
class Drawing : public QWidget {
public:
    Drawing() { setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed); }
    QSize sizeHint() const override { return {40, 40}; }
};

DropShadow* shadowIn(QWidget& surface)
{
    const auto shadows = surface.findChildren<DropShadow*>(Qt::FindDirectChildrenOnly);
    return shadows.size() == 1 ? shadows.front() : nullptr;
}

} // namespace

TEST(DropShadow, LivesOnTheSurfaceUnderTheCardsBranchAndReachesPastIt)
{
    CanvasBackground canvas;
    canvas.resize(400, 300);
    auto* column = new QVBoxLayout(&canvas);
    auto* row = new QWidget; // a tight container that would clip a shadow drawn inside it
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    auto* card = new Card(16);
    card->setFixedSize(120, 80);
    rowLayout->addWidget(card);
    column->addWidget(row);
    canvas.show();
    QCoreApplication::processEvents();

    DropShadow* shadow = shadowIn(canvas);
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(shadow->isVisible());
    const QRect cardInCanvas(card->mapTo(&canvas, QPoint(0, 0)), card->size());
    EXPECT_TRUE(shadow->geometry().contains(cardInCanvas));
    EXPECT_GT(shadow->geometry().bottom(), cardInCanvas.bottom() + 10); // falls below, offset and blurred
    const QList<QWidget*> order = canvas.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_LT(order.indexOf(shadow), order.indexOf(row)); // painted before the branch holding the card

    row->move(row->pos() + QPoint(30, 20));
    EXPECT_TRUE(shadow->geometry().contains(QRect(card->mapTo(&canvas, QPoint(0, 0)), card->size())));
    card->hide();
    EXPECT_FALSE(shadow->isVisible());
}

TEST(DropShadow, InAScrollViewFallsOnTheContentAndGoesWithTheCard)
{
    ScrollView view;
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    auto* card = new Card(22);
    card->setFixedHeight(200);
    column->addWidget(card);
    view.setWidget(content);
    view.resize(300, 150);
    view.show();
    QCoreApplication::processEvents();
    EXPECT_NE(shadowIn(*content), nullptr);
    EXPECT_FALSE(content->autoFillBackground()); // the canvas shows through
    delete card;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shadowIn(*content), nullptr);
}

TEST(Overflow, GrowsTheWidgetPastItsSlotWithoutMovingItsNeighbours)
{
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    row->setContentsMargins(10, 10, 10, 10);
    row->setSpacing(6);
    auto* drawing = new Drawing;
    auto* neighbour = new QWidget;
    neighbour->setFixedSize(20, 40);
    Overflow::addWidget(row, drawing, QMargins(5, 5, 5, 5));
    row->addWidget(neighbour);
    row->addStretch();
    window.resize(200, 60);
    window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(drawing->parentWidget(), &window);
    EXPECT_EQ(drawing->geometry(), QRect(5, 5, 50, 50));
    EXPECT_EQ(neighbour->geometry().left(), 10 + 40 + 6);
}
