#pragma once

#include <functional>
#include <memory>

#include <QString>

namespace platform {

struct Notification {
    // A later notification with the same identifier replaces this one while it is still shown.
    QString identifier;
    QString title;
    QString body;
};

// Shows notifications through the desktop's notification service, under the application's icon
// and desktop entry, so the desktop files them under Quillo. Linux: the
// org.freedesktop.Notifications service on the session D-Bus, the identifier kept as the
// service's `replaces_id`. Used on the thread that created it, which must run an event loop for
// the service's answers to arrive.
class DesktopNotifier {
public:
    // The service of this session.
    DesktopNotifier();
    // The service on the bus at `busAddress` (a D-Bus address on Linux); for tests.
    explicit DesktopNotifier(const QString& busAddress);
    ~DesktopNotifier();
    DesktopNotifier(const DesktopNotifier&) = delete;
    DesktopNotifier& operator=(const DesktopNotifier&) = delete;

    // The notifier of this session, made on first use on the GUI thread and kept to the end.
    static DesktopNotifier& session();

    // Returns at once. `done`, when given, learns whether the service showed the notification:
    // later on this thread, or before `post` returns when there is no bus at all. No bus, no
    // service and a refusal all end quietly as false.
    void post(const Notification& notification, std::function<void(bool shown)> done = {});

    // Clicking a notification posted from now on calls `opened` with its identifier, on this
    // thread; without a handler a click does nothing but close it.
    void setOpenHandler(std::function<void(const QString& identifier)> opened);

private:
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace platform
