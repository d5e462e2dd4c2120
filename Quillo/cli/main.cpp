#include <QCoreApplication>
#include <QStringList>

#include "cli/ArgumentText.h"
#include "cli/CommandLine.h"
#include "foundation/Preferences.h"

int main(int argc, char** argv)
{
    // The headless face of the application: the same store, on this thread's event loop.
    QCoreApplication application(argc, argv);
    Preferences::standard().registerApplicationDefaults();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(ArgumentText::fromBytes(argv[i]));
    return runCommandLine(arguments);
}
