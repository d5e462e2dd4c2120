#pragma once

#include <memory>

#include <QObject>
#include <QString>

namespace platform {

// What a launch asks of the application: an action by name with one text parameter (both empty
// for a plain start), and the token the launcher gave to let its window come to the front.
struct ActivationRequest {
    QString action;
    QString parameter;
    QString activationToken;
    bool operator==(const ActivationRequest&) const = default;
};

// One running instance per user session. Linux: the instance owns the application identifier as
// a name on the session D-Bus and answers org.freedesktop.Application there, as GApplication
// does, so a later launch, a desktop action or `gapplication action` reaches it. Lives on the GUI
// thread.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Role {
        // This process owns the name: later launches arrive as `activated`.
        first,
        // Another process owns it and took the request: this one should end.
        forwarded,
        // No bus, or an owner that did not answer: this process runs on its own.
        alone,
    };

    // On the session bus, or on the bus at `busAddress` (for tests).
    explicit SingleInstance(const QString& applicationId, const QString& busAddress = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the name, or hands `request` to the instance that has it and waits a few seconds at
    // most for its answer.
    Role claim(const ActivationRequest& request);

    // The token this process was launched with (XDG_ACTIVATION_TOKEN or DESKTOP_STARTUP_ID), for
    // the instance it forwards to.
    static QString launchToken();

Q_SIGNALS:
    void activated(const platform::ActivationRequest& request);

private:
    class Adaptor;
    QString applicationId_;
    QString connectionName_;
    std::unique_ptr<Adaptor> adaptor_;
};

} // namespace platform
