#include "ui/module/ModuleScanning.h"

#include <QVBoxLayout>

#include "store/CleanerStore.h"
#include "ui/design/BaselineRow.h"
#include "ui/design/FrameThrottle.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Overflow.h"
#include "ui/design/Palette.h"
#include "ui/design/ProgressCapsule.h"
#include "ui/design/SizeText.h"
#include "ui/design/SoftButton.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/mascot/Mascot.h"
#include "ui/module/ModuleTexts.h"

double meanProgress(const CleanerStore& store, Module module)
{
    const auto targets = module.scanTargets();
    if (targets.empty())
        return 0;
    double sum = 0;
    for (Module target : targets)
        sum += store.progress(target);
    return sum / double(targets.size());
}

ModuleScanning::ModuleScanning(CleanerStore& store, Module module, QWidget* parent)
    : QWidget(parent), store_(store), module_(module),
      found_(new SizeText(0, Typography::font(34, FontWeight::heavy, FontDesign::rounded),
                          Typography::font(16, FontWeight::bold, FontDesign::rounded), ByteFormat::Style::file,
                          ModuleTheme::of(module).ink)),
      progress_(new ProgressCapsule(0.0, ModuleTheme::of(module).strong, 14)),
      path_(new TextLabel(QString(), Typography::path(), Palette::inkTertiary)), stop_(new SoftButton(tr("Stop"))),
      throttle_(new FrameThrottle(this, [this] { refresh(); }))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(32, 0, 32, 24);
    column->setSpacing(22);
    column->addStretch();
    auto* mascot = new Mascot(Mascot::Mood::busy, 100);
    Overflow::addWidget(column, mascot, mascot->overflowMargins(), Qt::AlignHCenter);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    auto* title = new TextLabel(ModuleTexts::scanningTitle(module), Typography::font(22, FontWeight::heavy, FontDesign::rounded),
                                Palette::ink);
    texts->addWidget(title, 0, Qt::AlignHCenter);
    auto* soFar = new TextLabel(tr("found so far"), Typography::lead(), Palette::inkSecondary);
    auto* figure = baselineRow({{found_, found_->baseline()}, {soFar, soFar->baseline()}}, 6);
    auto* centred = new QHBoxLayout;
    centred->addStretch();
    centred->addLayout(figure);
    centred->addStretch();
    texts->addLayout(centred);
    column->addLayout(texts);

    progress_->setFixedWidth(380);
    column->addWidget(progress_, 0, Qt::AlignHCenter);
    path_->setElideMode(Qt::ElideMiddle);
    path_->setAlignment(Qt::AlignHCenter);
    path_->setFixedWidth(460);
    column->addWidget(path_, 0, Qt::AlignHCenter);
    column->addWidget(stop_, 0, Qt::AlignHCenter);
    column->addStretch();

    connect(stop_, &QAbstractButton::clicked, this, [this] { store_.cancelScan(module_); });
    auto later = [this] { throttle_->request(); };
    connect(&store_, &CleanerStore::progressChanged, this, later);
    connect(&store_, &CleanerStore::liveFoundChanged, this, later);
    connect(&store_, &CleanerStore::currentPathChanged, this, later);
    refresh();
}

void ModuleScanning::refresh()
{
    found_->setBytes(store_.foundBytes(module_));
    progress_->setFraction(meanProgress(store_, module_));
    path_->setText(ModuleTexts::currentPath(store_.currentPath()));
}
