#pragma once

#include <optional>

#include <QCoreApplication>
#include <QStringList>

#include "platform/desktop/SingleInstance.h"
#include "records/Module.h"

// What a launch of quillo-app asks for, from its command line or from a later launch that
// handed it over:
//   quillo-app [--background] [--scan] [MODULE]
struct LaunchOptions {
    Q_DECLARE_TR_FUNCTIONS(LaunchOptions)

public:
    // Start in the tray without opening the window (the login start).
    bool background = false;
    // The module the window opens on; the one it shows last when absent.
    std::optional<Module> module;
    // Start the module's scan too (the Smart Scan's when no module is named).
    bool scan = false;
    // For the start-up benchmark: say "painted" on standard output once the window is first
    // painted, then quit. Not in --help.
    bool exitAfterFirstPaint = false;

    // Reads the program's arguments; --help and --version answer and end the program, and so
    // does a mistake, after one line on stderr saying what it was.
    static LaunchOptions parse(const QStringList& arguments);

    // The same request as an action for the running instance, and back.
    platform::ActivationRequest request(const QString& activationToken) const;
    static LaunchOptions fromRequest(const platform::ActivationRequest& request);

    bool operator==(const LaunchOptions&) const = default;
};
