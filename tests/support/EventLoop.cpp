#include "support/EventLoop.h"

QCoreApplication& coreApplication()
{
    if (QCoreApplication* running = QCoreApplication::instance())
        return *running;
    static int argc = 1;
    static char name[] = "quillo-tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}
