#pragma once

#include <chrono>
#include <thread>

#include <QCoreApplication>

// The application of a test program that turns Qt's event loop: the widget tests' own, else a
// core application made on first use.
QCoreApplication& coreApplication();

// Turns the event loop until `done()` holds; false when `timeout` passes first.
template <class Predicate>
bool runEventsUntil(Predicate done, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    coreApplication();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Turns the event loop a few times, so that what is already posted arrives (or is dropped).
inline void settle()
{
    coreApplication();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
}

// Turns the event loop for 40 ms, so that what is posted arrives and a frame's refreshes run.
inline void settleFrames()
{
    coreApplication();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(40);
    while (std::chrono::steady_clock::now() < end)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}
