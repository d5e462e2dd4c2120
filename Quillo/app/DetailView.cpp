#include "app/DetailView.h"

#include <QVBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/CanvasBackground.h"
#include "ui/design/CrossFade.h"
#include "ui/design/Motion.h"
#include "ui/home/HomeScreen.h"
#include "ui/module/ModuleScreen.h"

DetailView::DetailView(CleanerStore& store, QWidget* parent)
    : QWidget(parent), store_(store), canvas_(new CanvasBackground(Module::smartScan)), screens_(new CrossFade)
{
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(canvas_);
    auto* onCanvas = new QVBoxLayout(canvas_);
    // The screens begin a little below the window's top edge, where a title area would be.
    onCanvas->setContentsMargins(0, topInset, 0, 0);
    onCanvas->addWidget(screens_);
    connect(&store_, &CleanerStore::selectedModuleChanged, this, &DetailView::showSelected);
    showSelected();
}

QWidget* DetailView::screen() const
{
    return screens_->current();
}

void DetailView::showSelected()
{
    const Module module = store_.selectedModule().value_or(Module::smartScan);
    if (built_ && module == shown_)
        return;
    built_ = true;
    shown_ = module;
    canvas_->setModule(module);
    QWidget* screen = module == Module::smartScan ? static_cast<QWidget*>(new HomeScreen(store_))
                                                  : new ModuleScreen(store_, module);
    screens_->setCurrent(screen, Timing::spring(0.4, 0.85), screenDrop);
}
