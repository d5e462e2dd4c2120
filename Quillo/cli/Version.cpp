#include "cli/Version.h"

QString quilloVersion() { return QStringLiteral(QUILLO_VERSION); }
