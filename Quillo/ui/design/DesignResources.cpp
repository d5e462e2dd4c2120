#include "ui/design/DesignResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function in the global namespace, so it cannot be called from inside one.
static void registerDesignResources()
{
    Q_INIT_RESOURCE(design);
}

void DesignResources::load()
{
    static const bool registered = (registerDesignResources(), true);
    (void)registered;
}
