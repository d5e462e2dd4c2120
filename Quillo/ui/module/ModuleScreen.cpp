#include "ui/module/ModuleScreen.h"

#include <QVBoxLayout>

#include "services/SystemAccess.h"
#include "store/CleanerStore.h"
#include "ui/design/CrossFade.h"
#include "ui/design/Motion.h"
#include "ui/design/Translations.h"
#include "ui/module/AccessNeededView.h"
#include "ui/module/CleaningOverlay.h"
#include "ui/module/ModuleHeader.h"
#include "ui/module/ModuleIntro.h"
#include "ui/module/ModuleResults.h"
#include "ui/module/ModuleScanning.h"
#include "ui/module/ModuleTexts.h"

ModuleScreen::Body ModuleScreen::bodyFor(const CleanerStore& store, Module module)
{
    if (const CategoryResult* result = store.result(module); result && result->accessDenied)
        return Body::accessNeeded;
    switch (store.phase(module).kind()) {
    case ScanPhase::Kind::idle:
        return Body::intro;
    case ScanPhase::Kind::scanning:
        return Body::scanning;
    case ScanPhase::Kind::ready:
    case ScanPhase::Kind::cleaning:
    case ScanPhase::Kind::cleaned:
        break;
    }
    return Body::results;
}

ModuleScreen::ModuleScreen(CleanerStore& store, Module module, QWidget* parent)
    : QWidget(parent), store_(store), module_(module), header_(new ModuleHeader(store, module)),
      bodySlot_(new CrossFade)
{
    Translations::install();
    setAccessibleName(ModuleTexts::catalogue(module.title()));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(header_);
    column->addWidget(bodySlot_, 1);
    overlay_ = new CleaningOverlay(this);

    body_ = bodyFor(store_, module_);
    bodySlot_->setCurrent(makeBody(body_), Timing::spring(0.4, 1.0));
    overlay_->present(store_.phase(module_) == ScanPhase::cleaning());
    auto follow = [this](Module changed) {
        if (changed == module_)
            showBody();
    };
    connect(&store_, &CleanerStore::phaseChanged, this, follow);
    connect(&store_, &CleanerStore::resultChanged, this, follow);
}

QWidget* ModuleScreen::bodyWidget() const
{
    return bodySlot_->current();
}

void ModuleScreen::showBody()
{
    const bool cleaning = store_.phase(module_) == ScanPhase::cleaning();
    if (cleaning != overlay_->isVisible() || (!cleaning && overlay_->shown() > 0))
        overlay_->present(cleaning);
    const Body body = bodyFor(store_, module_);
    if (body == body_)
        return;
    body_ = body;
    bodySlot_->setCurrent(makeBody(body), Timing::spring(0.4, 1.0));
}

QWidget* ModuleScreen::makeBody(Body body)
{
    switch (body) {
    case Body::intro: {
        auto* intro = new ModuleIntro(module_);
        connect(intro, &ModuleIntro::scanClicked, this, [this] { store_.scan(module_); });
        return intro;
    }
    case Body::scanning:
        return new ModuleScanning(store_, module_);
    case Body::results:
        return new ModuleResults(store_, module_);
    case Body::accessNeeded: {
        auto* access = new AccessNeededView(module_);
        connect(access, &AccessNeededView::settingsClicked, this,
                [this] { SystemAccess::openSettings(QString::fromLatin1(ModuleTexts::accessSettingsURL(module_))); });
        connect(access, &AccessNeededView::tryAgainClicked, this, [this] { store_.scan(module_); });
        return access;
    }
    }
    return nullptr;
}
