#include "cli/TextStyle.h"

#include <QString>
#include <QtGlobal>

#include "platform/Terminal.h"

namespace {

bool colourWanted(int fd)
{
    return platform::isTerminal(fd) && qEnvironmentVariableIsEmpty("NO_COLOR") &&
           qEnvironmentVariable("TERM") != QLatin1String("dumb");
}

} // namespace

const TextStyle& TextStyle::of(int fd)
{
    static const TextStyle out(colourWanted(1));
    static const TextStyle err(colourWanted(2));
    return fd == 2 ? err : out;
}

std::string TextStyle::wrapped(std::string_view code, std::string_view text) const
{
    if (!on_ || text.empty())
        return std::string(text);
    return "\033[" + std::string(code) + "m" + std::string(text) + "\033[0m";
}
