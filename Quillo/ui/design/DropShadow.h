#pragma once

#include <vector>

#include <QPointer>
#include <QWidget>

#include "ui/design/DynamicColor.h"

// One layer of a widget's shadow; several layers cross-fade when a shadow changes size.
struct ShadowLayer {
    DynamicColor color;
    qreal opacity = 1;
    qreal radius = 0;
    QPointF offset;
};

// The drop shadow of a widget's body (a rounded rectangle), painted by a companion widget that
// lives in the nearest surface below it: the window, a scroll area's content, or a widget marked
// as a surface (cards and the canvas mark themselves). So a shadow may spread past its widget's
// edges and its tight layout slot, takes no layout space and never catches the pointer, while the
// widget keeps its exact geometry. The companion follows the widget as it and its ancestors move,
// resize, show and hide.
//
// A surface paints its own background under the shadows it holds; shadows are stacked right
// under the surface's child that contains the widget.
class DropShadow : public QWidget {
    Q_OBJECT

public:
    // Owned by `caster`.
    explicit DropShadow(QWidget* caster);
    ~DropShadow() override;

    // The body the shadow falls from, in the caster's coordinates, and its layers. An empty list,
    // or layers all transparent, hides the shadow.
    void setShape(const QRectF& body, qreal cornerRadius, std::vector<ShadowLayer> layers);

    // Shadows of widgets inside `widget` are painted on it.
    static void markAsSurface(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* findSurface() const;
    void attach();
    void detach();
    void follow();
    void restack();

    QPointer<QWidget> caster_;
    QPointer<QWidget> surface_;
    std::vector<QPointer<QWidget>> watched_;
    QRectF body_;
    qreal cornerRadius_ = 0;
    std::vector<ShadowLayer> layers_;
    QRectF bodyInSelf_;
};
