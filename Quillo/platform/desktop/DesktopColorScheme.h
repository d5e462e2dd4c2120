#pragma once

#include <memory>
#include <optional>

#include <QObject>

namespace platform {

enum class ColorScheme { light, dark };

// The light or dark preference the desktop states for applications, followed live. On Linux it is
// the freedesktop settings portal's "color-scheme"; a desktop without the portal, or one that
// states no preference, gives no answer, and the caller falls back on its own guess.
//
// Lives on the GUI thread. Asking the portal at construction waits at most a fraction of a second,
// so a broken session bus cannot hold up start-up.
class DesktopColorScheme : public QObject {
    Q_OBJECT

public:
    explicit DesktopColorScheme(QObject* parent = nullptr);
    ~DesktopColorScheme() override;

    std::optional<ColorScheme> current() const { return current_; }

Q_SIGNALS:
    // The desktop's stated preference changed (including to or from no preference).
    void changed();

private:
    class Listener;
    void set(std::optional<ColorScheme> scheme);

    std::optional<ColorScheme> current_;
    std::unique_ptr<Listener> listener_;
};

} // namespace platform
