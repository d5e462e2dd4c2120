#include "cli/ItemList.h"

#include <cerrno>
#include <fstream>
#include <iostream>
#include <sstream>
#include <system_error>

#include "cli/ArgumentText.h"

namespace {

std::optional<std::string> contentsOf(std::istream& stream)
{
    std::ostringstream all;
    all << stream.rdbuf();
    // An empty list is no error; only a stream that broke is.
    if (stream.bad())
        return std::nullopt;
    return std::move(all).str();
}

} // namespace

ItemList ItemList::read(const QString& source, bool nulSeparated)
{
    std::optional<std::string> contents;
    errno = 0;
    if (source == QLatin1String("-")) {
        contents = contentsOf(std::cin);
    } else {
        // Opened by its exact bytes: the list's own name need not be UTF-8 either. Any kind of
        // file will do, so that a shell's <(...) can hand in a pipe.
        std::ifstream file(ArgumentText::toBytes(source), std::ios::binary);
        if (file)
            contents = contentsOf(file);
    }
    if (!contents)
        return {{}, QString::fromStdString(std::error_code(errno ? errno : EIO, std::generic_category()).message())};
    ItemList list;
    const char separator = nulSeparated ? '\0' : '\n';
    std::size_t start = 0;
    while (start < contents->size()) {
        std::size_t end = contents->find(separator, start);
        if (end == std::string::npos)
            end = contents->size();
        if (end > start)
            list.paths.push_back(contents->substr(start, end - start));
        start = end + 1;
    }
    return list;
}
