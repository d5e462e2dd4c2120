#pragma once

#include <functional>

#include <QObject>
#include <QTimer>

// Coalesces bursts of changes into at most one refresh per frame: a scan reports thousands of
// times a second, a screen shows sixty. The first request after a refresh waits one frame
// interval; requests in between change nothing. The refresh reads the latest state.
class FrameThrottle : public QObject {
public:
    static constexpr int frameMs = 16;

    FrameThrottle(QObject* parent, std::function<void()> refresh);

    void request();
    bool isPending() const { return timer_.isActive(); }

private:
    std::function<void()> refresh_;
    QTimer timer_;
};
