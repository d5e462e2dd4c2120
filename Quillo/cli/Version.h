#pragma once

#include <QString>

// The program's version, as `quillo --version` prints it after the name and the JSON documents
// carry it: "0.1.0".
QString quilloVersion();
