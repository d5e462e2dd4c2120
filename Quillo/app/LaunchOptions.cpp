#include "app/LaunchOptions.h"

#include <cstdio>
#include <cstdlib>

#include <QCommandLineParser>

namespace {

constexpr const char* openAction = "open";
constexpr const char* scanAction = "scan";
constexpr const char* backgroundAction = "background";

QString rawValueOf(Module module)
{
    return QString::fromLatin1(module.rawValue().data(), qsizetype(module.rawValue().size()));
}

QStringList moduleNames()
{
    QStringList names;
    for (Module module : Module::allCases())
        names << rawValueOf(module);
    return names;
}

} // namespace

LaunchOptions LaunchOptions::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Quillo finds what takes space on your disk and can safely go."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption background("background", tr("Start in the system tray without opening the window."));
    const QCommandLineOption scan("scan", tr("Start scanning the module (the Smart Scan when none is named)."));
    QCommandLineOption firstPaint("exit-after-first-paint", "For the start-up benchmark.");
    firstPaint.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(background);
    parser.addOption(scan);
    parser.addOption(firstPaint);
    parser.addPositionalArgument("module", tr("The module to open: %1.").arg(moduleNames().join(", ")), "[MODULE]");
    parser.process(arguments);

    LaunchOptions options;
    options.background = parser.isSet(background);
    options.scan = parser.isSet(scan);
    options.exitAfterFirstPaint = parser.isSet(firstPaint);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        std::fprintf(stderr, "%s\n", qPrintable(tr("quillo-app: one module at most")));
        std::exit(2);
    }
    if (!positional.isEmpty()) {
        options.module = Module::fromRawValue(positional.front().toStdString());
        if (!options.module) {
            std::fprintf(stderr, "%s\n",
                         qPrintable(tr("quillo-app: no module named '%1' (one of %2)").arg(positional.front(), moduleNames().join(", "))));
            std::exit(2);
        }
    }
    if (options.scan && !options.module)
        options.module = Module::smartScan;
    return options;
}

platform::ActivationRequest LaunchOptions::request(const QString& activationToken) const
{
    if (background)
        return {backgroundAction, {}, activationToken};
    if (!module)
        return {{}, {}, activationToken};
    return {scan ? scanAction : openAction, rawValueOf(*module), activationToken};
}

LaunchOptions LaunchOptions::fromRequest(const platform::ActivationRequest& request)
{
    LaunchOptions options;
    options.background = request.action == QLatin1String(backgroundAction);
    if (request.action == QLatin1String(openAction) || request.action == QLatin1String(scanAction)) {
        options.module = Module::fromRawValue(request.parameter.toStdString());
        options.scan = options.module && request.action == QLatin1String(scanAction);
    }
    return options;
}
