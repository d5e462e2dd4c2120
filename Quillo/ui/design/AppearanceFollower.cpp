#include "ui/design/AppearanceFollower.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPalette>

#include "foundation/Preferences.h"
#include "records/PreferenceKeys.h"
#include "ui/design/Appearance.h"

AppearanceFollower::AppearanceFollower(Preferences& preferences, QObject* parent)
    : QObject(parent), preferences_(preferences), desktop_(std::make_unique<platform::DesktopColorScheme>())
{
    connect(&preferences_, &Preferences::changed, this, [this](const QString& key) {
        if (key == QLatin1String(PreferenceKeys::appearance))
            update();
    });
    connect(desktop_.get(), &platform::DesktopColorScheme::changed, this, &AppearanceFollower::update);
    // The desktop's palette changes arrive as an event to the application object only.
    QGuiApplication::instance()->installEventFilter(this);
    update();
}

AppearanceFollower::~AppearanceFollower() = default;

AppAppearance AppearanceFollower::chosen() const
{
    const std::optional<QString> stored = preferences_.stringValue(PreferenceKeys::appearance);
    if (!stored)
        return AppAppearance::system;
    return appAppearanceFromRawValue(stored->toStdString()).value_or(AppAppearance::system);
}

bool AppearanceFollower::resolvesDark(AppAppearance chosen, std::optional<platform::ColorScheme> desktop,
                                      const QColor& desktopWindowColor)
{
    switch (chosen) {
    case AppAppearance::light:
        return false;
    case AppAppearance::dark:
        return true;
    case AppAppearance::system:
        break;
    }
    if (desktop)
        return *desktop == platform::ColorScheme::dark;
    return desktopWindowColor.lightnessF() < 0.5;
}

bool AppearanceFollower::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ApplicationPaletteChange && watched == QGuiApplication::instance())
        update();
    return false;
}

void AppearanceFollower::update()
{
    const QColor window = QGuiApplication::palette().color(QPalette::Active, QPalette::Window);
    Appearance::instance().apply(resolvesDark(chosen(), desktop_->current(), window));
}
