#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "records/Module.h"

// How modules are named on the command line: in kebab-case ("system-junk"), as shells and GNU
// tools spell words, or by their identifier ("systemJunk", the JSON's spelling), in any letter
// case either way.
namespace ModuleName {

std::optional<Module> parse(const QString& name);
// "system-junk".
QString of(Module module);
// Every module's name, in catalogue order.
QStringList all();

} // namespace ModuleName
