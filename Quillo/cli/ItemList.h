#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QString>

// The paths a list names (`quillo clean --items-from`), as another program wrote them: one per
// line, or, for paths that may hold a newline, each ended by a NUL byte (`find -print0`,
// `jq -j`). Empty entries are skipped; nothing else is touched (a path may end with a space).
struct ItemList {
    std::vector<std::string> paths;
    // Why the list could not be read; empty when it was.
    QString error;

    // `source` is a file's path, or "-" for standard input.
    static ItemList read(const QString& source, bool nulSeparated);
};
