#pragma once

#include <optional>

#include <QWidget>

#include "records/Module.h"

class Motion;

// The window background behind a screen: the canvas colour, and in the top-trailing corner a soft,
// blurred wash of the module's tint. A change of module cross-fades the wash. Screens lay their
// content out on it; shadows of widgets on it fall on it.
class CanvasBackground : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal fade READ fade WRITE setFade)

public:
    explicit CanvasBackground(std::optional<Module> module = std::nullopt, QWidget* parent = nullptr);

    std::optional<Module> module() const { return module_; }
    void setModule(std::optional<Module> module);

    // 0 → 1 from the previous module's wash to the current one's.
    qreal fade() const { return fade_; }
    void setFade(qreal fade);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintWash(QPainter& painter, Module module, qreal opacity) const;

    std::optional<Module> module_;
    std::optional<Module> previous_;
    qreal fade_ = 1;
    Motion* motion_;
};
