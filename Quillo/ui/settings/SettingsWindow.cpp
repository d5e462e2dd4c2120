#include "ui/settings/SettingsWindow.h"

#include <algorithm>
#include <array>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "foundation/Preferences.h"
#include "platform/OwnBundleIdentifier.h"
#include "platform/PathPatterns.h"
#include "platform/PlatformWords.h"
#include "platform/desktop/Autostart.h"
#include "records/PreferenceKeys.h"
#include "records/ScanOptions.h"
#include "scan/DiskScanner.h"
#include "services/SystemAccess.h"
#include "ui/design/AppAppearance.h"
#include "ui/design/IconButton.h"
#include "ui/design/Palette.h"
#include "ui/design/SegmentedPicker.h"
#include "ui/design/SoftButton.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Translations.h"
#include "ui/design/Typography.h"
#include "ui/settings/FormSection.h"
#include "ui/settings/ToggleSwitch.h"

namespace {

constexpr std::array<std::int64_t, 4> thresholdChoices{100, 250, 500, 1000};
constexpr std::array<std::int64_t, 3> dayChoices{7, 30, 90};

// The segment standing for `value`, or none (-1) for a value no segment stands for.
template <std::size_t N>
int indexOf(const std::array<std::int64_t, N>& choices, std::int64_t value)
{
    for (std::size_t i = 0; i < N; ++i)
        if (choices[i] == value)
            return int(i);
    return -1;
}

QString words(std::string_view text)
{
    return QCoreApplication::translate("PlatformWords", text.data());
}

QString applicationId()
{
    return QString::fromUtf8(platform::ownBundleIdentifier.data(), qsizetype(platform::ownBundleIdentifier.size()));
}

} // namespace

SettingsWindow::System SettingsWindow::System::live(bool trayAvailable, const QStringList& loginCommand)
{
    System system;
    system.trayAvailable = trayAvailable;
    system.hasFullDiskAccess = [] { return SystemAccess::hasFullDiskAccess(); };
    system.openAccessSettings = [] { SystemAccess::openSettings(SystemAccess::fullDiskAccessSettingsURL); };
    system.startsAtLogin = [] { return platform::Autostart::isEnabled(applicationId()); };
    system.setStartsAtLogin = [loginCommand](bool on) {
        return platform::Autostart::setEnabled(applicationId(), on, QStringLiteral("Quillo"), loginCommand).ok();
    };
    // Through QFileDialog, which hands the question to the desktop portal's chooser on Linux.
    system.chooseFolder = [](QWidget* parent) -> std::optional<std::filesystem::path> {
        const QString folder = QFileDialog::getExistingDirectory(
            parent, QCoreApplication::translate("SettingsWindow", "Choose a Folder to Keep"), QDir::homePath());
        if (folder.isEmpty())
            return std::nullopt;
        return std::filesystem::path(QFile::encodeName(folder).toStdString());
    };
    return system;
}

SettingsWindow::SettingsWindow(Preferences& preferences, System system, QWidget* parent)
    : QWidget(parent), preferences_(preferences), system_(std::move(system))
{
    Translations::install();
    setWindowTitle(tr("Settings"));
    Palette::follow(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 22, 24, 24);
    column->setSpacing(20);
    column->setSizeConstraint(QLayout::SetFixedSize);
    for (FormSection* section :
         {lookSection(), menuBarSection(), cleaningSection(), scanningSection(), keptSection(), permissionsSection()}) {
        // As wide as the form leaves, so that long texts wrap instead of widening the window.
        section->setFixedWidth(formWidth - column->contentsMargins().left() - column->contentsMargins().right());
        column->addWidget(section);
    }
    connect(&preferences_, &Preferences::changed, this, &SettingsWindow::refreshPreference);
    refresh();
}

FormSection* SettingsWindow::lookSection()
{
    auto* section = new FormSection(tr("Look"));
    appearance_ = new SegmentedPicker({tr("Match System"), tr("Light"), tr("Dark")}, tr("Appearance"));
    section->addRow(tr("Appearance"), appearance_);
    connect(appearance_, &SegmentedPicker::currentChanged, this, [this](int index) {
        const std::string_view raw = rawValue(allAppAppearances[std::size_t(index)]);
        preferences_.setString(PreferenceKeys::appearance, QString::fromLatin1(raw.data(), qsizetype(raw.size())));
    });
    return section;
}

FormSection* SettingsWindow::menuBarSection()
{
    const platform::PlatformWords& platformWords = platform::platformWords();
    auto* section = new FormSection(words(platformWords.menuBarSection));
    showInMenuBar_ = boundSwitch(words(platformWords.showInMenuBar), PreferenceKeys::showInMenuBar);
    section->addRow(words(platformWords.showInMenuBar), showInMenuBar_);
    if (!system_.trayAvailable)
        noTrayNote_ = section->addNote(tr("Your desktop shows no tray icons, so Quillo works as a normal window "
                                          "instead and quits when you close it."));
    freeSpace_ = boundSwitch(words(platformWords.menuBarShowsFreeSpace), PreferenceKeys::menuBarShowsFreeSpace);
    freeSpaceLabel_ = section->addRow(words(platformWords.menuBarShowsFreeSpace), freeSpace_);
    const QString alerts = tr("Notify me when my disk is almost full");
    lowSpaceAlerts_ = boundSwitch(alerts, PreferenceKeys::lowSpaceAlerts);
    section->addRow(alerts, lowSpaceAlerts_);
    // The alert can come only while Quillo runs: starting it in the tray at login keeps it on watch.
    const QString login = tr("Open Quillo at login");
    openAtLogin_ = new ToggleSwitch(login);
    openAtLoginLabel_ = section->addRow(login, openAtLogin_);
    connect(openAtLogin_, &QCheckBox::toggled, this, [this](bool on) {
        if (syncing_)
            return;
        if (!system_.setStartsAtLogin || !system_.setStartsAtLogin(on))
            refresh();
    });
    return section;
}

FormSection* SettingsWindow::cleaningSection()
{
    auto* section = new FormSection(tr("Cleaning"));
    const QString label = tr("Delete immediately instead of moving to the Trash");
    deleteImmediately_ = boundSwitch(label, PreferenceKeys::deleteImmediately);
    section->addRow(label, deleteImmediately_);
    section->setFooter(tr("When this is off, cleaned items go to the Trash so you can still restore them."));
    return section;
}

FormSection* SettingsWindow::scanningSection()
{
    auto* section = new FormSection(tr("Scanning"));
    const QString large = tr("Large files are bigger than");
    largeFiles_ = new SegmentedPicker({tr("100 MB"), tr("250 MB"), tr("500 MB"), tr("1 GB")}, large);
    section->addRow(large, largeFiles_);
    connect(largeFiles_, &SegmentedPicker::currentChanged, this, [this](int index) {
        preferences_.setInteger(PreferenceKeys::largeFileThresholdMB, thresholdChoices[std::size_t(index)]);
    });
    const QString old = tr("Downloads are old after");
    oldDownloads_ = new SegmentedPicker({tr("1 week"), tr("30 days"), tr("90 days")}, old);
    section->addRow(old, oldDownloads_);
    connect(oldDownloads_, &SegmentedPicker::currentChanged, this, [this](int index) {
        preferences_.setInteger(PreferenceKeys::oldDownloadDays, dayChoices[std::size_t(index)]);
    });
    return section;
}

FormSection* SettingsWindow::permissionsSection()
{
    auto* section = new FormSection(tr("Permissions"));
    auto* value = new QWidget;
    accessRow_ = new QHBoxLayout(value);
    accessRow_->setContentsMargins(0, 0, 0, 0);
    accessRow_->setSpacing(10);
    accessState_ = new TextLabel(QString(), Typography::font(13, FontWeight::semibold), Palette::success);
    accessRow_->addWidget(accessState_);
    section->addRow(words(platform::platformWords().accessSettingName), value);
    return section;
}

FormSection* SettingsWindow::keptSection()
{
    kept_ = new FormSection(tr("Kept"));
    kept_->setFooter(tr("Quillo never offers or removes what is kept here, nor anything inside it. A pattern "
                        "such as ~/Projects/*/build keeps every folder it matches."));
    return kept_;
}

void SettingsWindow::refreshKept()
{
    const auto entries = preferences_.stringListValue(PreferenceKeys::keepPaths).value_or(std::vector<std::string>{});
    kept_->clearRows();
    keptRemoveButtons_.clear();
    if (entries.empty())
        kept_->addNote(tr("Nothing is kept yet. Choose “Never Clean This” on an item, or add a folder."));
    std::vector<std::pair<QString, QWidget*>> rows;
    for (const std::string& entry : entries) {
        const QString shown = QString::fromStdString(DiskScanner::abbreviatedPath(entry));
        auto* remove = new IconButton(QStringLiteral("minus"), tr("Remove %1 from the keep list").arg(shown));
        connect(remove, &QAbstractButton::clicked, this, [this, entry] {
            auto kept = preferences_.stringListValue(PreferenceKeys::keepPaths).value_or(std::vector<std::string>{});
            std::erase(kept, entry);
            setKept(kept);
        });
        rows.emplace_back(shown, remove);
        keptRemoveButtons_.push_back(remove);
    }
    kept_->addPathRows(rows, 6);
    addKept_ = new SoftButton(tr("Add Folder…"), ButtonSize::small);
    connect(addKept_, &QAbstractButton::clicked, this, &SettingsWindow::addKeptFolder);
    kept_->addWidgetRow(addKept_);
}

void SettingsWindow::addKeptFolder()
{
    const auto folder = system_.chooseFolder ? system_.chooseFolder(this) : std::nullopt;
    if (!folder)
        return;
    // Kept as it is: pattern characters in its name match only themselves.
    const std::string entry = platform::PathPatterns::literal(folder->lexically_normal());
    auto kept = preferences_.stringListValue(PreferenceKeys::keepPaths).value_or(std::vector<std::string>{});
    if (std::ranges::find(kept, entry) != kept.end())
        return;
    kept.push_back(entry);
    setKept(kept);
}

void SettingsWindow::setKept(const std::vector<std::string>& entries)
{
    preferences_.setStringList(PreferenceKeys::keepPaths, entries);
}

ToggleSwitch* SettingsWindow::boundSwitch(const QString& name, const char* key)
{
    auto* control = new ToggleSwitch(name);
    connect(control, &QCheckBox::toggled, this, [this, key](bool on) {
        if (!syncing_)
            preferences_.setBool(key, on);
    });
    return control;
}

const QString& SettingsWindow::accessState() const
{
    return accessState_->text();
}

void SettingsWindow::refresh()
{
    for (const char* key : {PreferenceKeys::appearance, PreferenceKeys::showInMenuBar, PreferenceKeys::menuBarShowsFreeSpace,
                            PreferenceKeys::lowSpaceAlerts, PreferenceKeys::deleteImmediately,
                            PreferenceKeys::largeFileThresholdMB, PreferenceKeys::oldDownloadDays, PreferenceKeys::keepPaths})
        refreshPreference(QString::fromLatin1(key));
    refreshAccess();
}

void SettingsWindow::refreshPreference(const QString& key)
{
    syncing_ = true;
    const auto flag = [this](const char* name, bool fallback) { return preferences_.boolValue(name).value_or(fallback); };
    if (key == QLatin1String(PreferenceKeys::appearance)) {
        const auto stored = preferences_.stringValue(PreferenceKeys::appearance);
        const auto chosen = stored ? appAppearanceFromRawValue(stored->toStdString()) : AppAppearance::system;
        appearance_->setCurrent(chosen ? int(*chosen) : -1);
    } else if (key == QLatin1String(PreferenceKeys::showInMenuBar) || key == QLatin1String(PreferenceKeys::menuBarShowsFreeSpace)) {
        const bool shown = flag(PreferenceKeys::showInMenuBar, true);
        showInMenuBar_->setChecked(shown);
        // Without the item (or a tray to hold it) the free-space switch greys out and keeps its
        // own value; so does the start at login, which only starts Quillo in the tray, unless it
        // is on and the user wants it off.
        const bool inTray = shown && system_.trayAvailable;
        freeSpace_->setChecked(flag(PreferenceKeys::menuBarShowsFreeSpace, true));
        freeSpace_->setEnabled(inTray);
        freeSpaceLabel_->setOpacity(inTray ? 1 : 0.45);
        openAtLogin_->setChecked(system_.startsAtLogin && system_.startsAtLogin());
        openAtLogin_->setEnabled(inTray || openAtLogin_->isChecked());
        openAtLoginLabel_->setOpacity(openAtLogin_->isEnabled() ? 1 : 0.45);
    } else if (key == QLatin1String(PreferenceKeys::lowSpaceAlerts)) {
        lowSpaceAlerts_->setChecked(flag(PreferenceKeys::lowSpaceAlerts, true));
    } else if (key == QLatin1String(PreferenceKeys::deleteImmediately)) {
        deleteImmediately_->setChecked(flag(PreferenceKeys::deleteImmediately, false));
    } else if (key == QLatin1String(PreferenceKeys::largeFileThresholdMB)) {
        const auto stored = preferences_.integerValue(PreferenceKeys::largeFileThresholdMB);
        largeFiles_->setCurrent(indexOf(thresholdChoices, stored.value_or(ScanOptions::defaultLargeFileThresholdMB)));
    } else if (key == QLatin1String(PreferenceKeys::keepPaths)) {
        refreshKept();
    } else if (key == QLatin1String(PreferenceKeys::oldDownloadDays)) {
        const auto stored = preferences_.integerValue(PreferenceKeys::oldDownloadDays);
        oldDownloads_->setCurrent(indexOf(dayChoices, stored.value_or(ScanOptions::defaultOldDownloadDays)));
    }
    syncing_ = false;
}

void SettingsWindow::refreshAccess()
{
    const bool granted = system_.hasFullDiskAccess && system_.hasFullDiskAccess();
    accessState_->setText(granted ? tr("Granted") : tr("Not granted"));
    accessState_->setSymbol(granted ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("exclamationmark.circle.fill"));
    accessState_->setColor(granted ? Palette::success : Palette::warning);
    if (granted) {
        delete accessButton_;
        return;
    }
    if (!accessButton_) {
        accessButton_ = new SoftButton(words(platform::platformWords().openAccessSettingsShort), ButtonSize::small);
        connect(accessButton_, &QAbstractButton::clicked, this, [this] {
            if (system_.openAccessSettings)
                system_.openAccessSettings();
        });
        accessRow_->addWidget(accessButton_);
    }
}

void SettingsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    syncing_ = true;
    openAtLogin_->setChecked(system_.startsAtLogin && system_.startsAtLogin());
    syncing_ = false;
    refreshAccess();
}

void SettingsWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Palette::canvas.current());
}
