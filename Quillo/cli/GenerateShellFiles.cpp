// quillo-shell-files: writes the shell completions and the manual page, made from the command
// definitions, into the folder given: quillo.bash, _quillo, quillo.fish, quillo.1. Run by the
// build; `cmake --install` puts them where Debian's shells and man look.
#include <cstdio>

#include <QFile>
#include <QString>

#include "cli/ManPage.h"
#include "cli/ShellCompletion.h"

namespace {

bool write(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0 || !file.flush()) {
        std::fprintf(stderr, "quillo-shell-files: cannot write '%s': %s\n", path.toUtf8().constData(),
                     file.errorString().toUtf8().constData());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillo-shell-files FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool written = write(folder + "/quillo.bash", ShellCompletion::bash()) &&
                         write(folder + "/_quillo", ShellCompletion::zsh()) &&
                         write(folder + "/quillo.fish", ShellCompletion::fish()) &&
                         write(folder + "/quillo.1", ManPage::text());
    return written ? 0 : 1;
}
