#include "app/Sidebar.h"

#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "app/Brand.h"
#include "app/SidebarAccessible.h"
#include "app/SidebarRow.h"
#include "app/StorageWidget.h"
#include "store/CleanerStore.h"
#include "ui/design/DropShadow.h"
#include "ui/design/Palette.h"
#include "ui/design/ScrollView.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"

namespace {

// The rows and section headings; a class of its own so that assistive technology sees a list.
class SidebarList : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
};

struct Section {
    const char* title;
    std::vector<Module> modules;
};

const std::vector<Section>& sections()
{
    static const std::vector<Section> all{
        {QT_TRANSLATE_NOOP("Sidebar", "Clean up"), {Module::systemJunk, Module::developerJunk, Module::trash}},
        {QT_TRANSLATE_NOOP("Sidebar", "Apps"), {Module::uninstaller, Module::leftovers}},
        {QT_TRANSLATE_NOOP("Sidebar", "Find big stuff"),
         {Module::largeFiles, Module::duplicates, Module::downloads, Module::iosBackups}},
    };
    return all;
}

TextLabel* heading(const char* title)
{
    return new TextLabel(Sidebar::tr(title), Typography::font(11, FontWeight::bold, FontDesign::rounded),
                         Palette::inkSecondary);
}

} // namespace

Sidebar::Sidebar(CleanerStore& store, QWidget* parent)
    : QWidget(parent), store_(store), storage_(new StorageWidget(store))
{
    SidebarRowAccessible::installFactory();
    DropShadow::markAsSurface(this);
    setMinimumWidth(minimumWidth);
    setMaximumWidth(maximumWidth);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* brand = new QVBoxLayout;
    brand->setContentsMargins(18, 14, 18, 10);
    brand->addWidget(new Brand);
    column->addLayout(brand);

    auto* list = new SidebarList;
    list->setAccessibleName(tr("Modules"));
    auto* rows = new QVBoxLayout(list);
    rows->setContentsMargins(10, 4, 10, 8);
    rows->setSpacing(1);
    auto add = [&](Module module) {
        auto* row = new SidebarRow(store_, module);
        row->installEventFilter(this);
        connect(row, &QAbstractButton::clicked, this, [this, module] { store_.setSelectedModule(module); });
        rows_.push_back(row);
        rows->addWidget(row);
    };
    add(Module::smartScan);
    for (const Section& section : sections()) {
        auto* title = new QVBoxLayout;
        title->setContentsMargins(10, 14, 10, 5);
        title->addWidget(heading(section.title));
        rows->addLayout(title);
        for (Module module : section.modules)
            add(module);
    }
    rows->addStretch();
    auto* scroll = new ScrollView;
    scroll->setWidget(list);
    column->addWidget(scroll, 1);

    auto* bottom = new QVBoxLayout;
    bottom->setContentsMargins(12, 12, 12, 12);
    bottom->addWidget(storage_);
    column->addLayout(bottom);

    connect(&store_, &CleanerStore::selectedModuleChanged, this, &Sidebar::showSelection);
    showSelection();
}

SidebarRow* Sidebar::row(Module module) const
{
    for (SidebarRow* row : rows_)
        if (row->module() == module)
            return row;
    return nullptr;
}

void Sidebar::showSelection()
{
    const std::optional<Module> selected = store_.selectedModule();
    for (SidebarRow* row : rows_) {
        const bool on = selected == row->module();
        if (on == row->isSelected())
            continue;
        row->setSelected(on);
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(row, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void Sidebar::moveSelection(int step)
{
    auto current = std::find_if(rows_.begin(), rows_.end(), [](SidebarRow* row) { return row->hasFocus(); });
    if (current == rows_.end())
        return;
    const auto index = std::distance(rows_.begin(), current) + step;
    if (index < 0 || index >= std::ssize(rows_))
        return;
    SidebarRow* next = rows_[std::size_t(index)];
    next->setFocus(Qt::TabFocusReason);
    store_.setSelectedModule(next->module());
}

bool Sidebar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            moveSelection(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Sidebar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // A shade deeper than the canvas beside it, with a hairline between the two.
    painter.fillRect(rect(), Palette::canvas.current());
    painter.fillRect(rect(), Palette::sunken.withOpacity(0.55).current());
    painter.fillRect(QRect(width() - 1, 0, 1, height()), Palette::hairline.current());
}

#include "Sidebar.moc"
