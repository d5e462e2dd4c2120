#pragma once

#include <memory>
#include <optional>

#include <QColor>
#include <QObject>

#include "platform/desktop/DesktopColorScheme.h"
#include "ui/design/AppAppearance.h"

class Preferences;

// Keeps Appearance in step with the "appearance" preference and, while that says "system", with
// the desktop's colour scheme; both are followed live. The application creates one at start.
class AppearanceFollower : public QObject {
    Q_OBJECT

public:
    explicit AppearanceFollower(Preferences& preferences, QObject* parent = nullptr);
    ~AppearanceFollower() override;

    // The stored choice; a missing or unknown value means "system".
    AppAppearance chosen() const;
    // The desktop's own stated scheme, followed live, whatever the choice.
    const platform::DesktopColorScheme& desktop() const { return *desktop_; }

    // Whether `chosen` comes out dark, given the scheme the desktop states (if any) and, for a
    // desktop that states none, the window colour of its Qt palette.
    static bool resolvesDark(AppAppearance chosen, std::optional<platform::ColorScheme> desktop,
                             const QColor& desktopWindowColor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    Preferences& preferences_;
    std::unique_ptr<platform::DesktopColorScheme> desktop_;
};
