#include <cmath>
#include <numbers>

#include <QPainterPath>

#include <gtest/gtest.h>

#include "ui/design/Shapes.h"

namespace {

// The area a path encloses, from its polygon outline.
double area(const QPainterPath& path)
{
    const QPolygonF polygon = path.toFillPolygon();
    double sum = 0;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon[i];
        const QPointF b = polygon[(i + 1) % polygon.size()];
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(sum) / 2;
}

} // namespace

TEST(Shapes, ARadiusOfHalfTheSideMakesACircleAndACapsule)
{
    EXPECT_NEAR(area(Shapes::roundedRect(QRectF(0, 0, 100, 100), 50)), std::numbers::pi * 2500, 40);
    EXPECT_NEAR(area(Shapes::roundedRect(QRectF(0, 0, 100, 100), 500)), std::numbers::pi * 2500, 40); // held
    const double capsule = 200 * 40 - 40 * 40 + std::numbers::pi * 400;
    EXPECT_NEAR(area(Shapes::capsule(QRectF(0, 0, 200, 40))), capsule, 10);
}

TEST(Shapes, AContinuousCornerCutsMoreThanACircularOneOfTheSameRadius)
{
    const QRectF card(0, 0, 300, 200);
    QPainterPath circular;
    circular.addRoundedRect(card, 22, 22);
    const double continuous = area(Shapes::roundedRect(card, 22));
    EXPECT_LT(continuous, area(circular));
    EXPECT_GT(continuous, 300 * 200 - 4 * 22 * 22); // yet it stays a rounded rectangle
    EXPECT_TRUE(Shapes::roundedRect(card, 22).contains(QPointF(150, 0.5)));
    EXPECT_FALSE(Shapes::roundedRect(card, 22).contains(QPointF(1, 1)));
}
