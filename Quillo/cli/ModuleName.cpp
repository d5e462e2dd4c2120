#include "cli/ModuleName.h"

namespace ModuleName {

QString of(Module module)
{
    QString name;
    for (const char letter : module.rawValue()) {
        const QChar character = QLatin1Char(letter);
        if (character.isUpper())
            name += QLatin1Char('-');
        name += character.toLower();
    }
    return name;
}

std::optional<Module> parse(const QString& name)
{
    for (Module module : Module::allCases()) {
        const QString identifier = QString::fromUtf8(module.rawValue());
        if (name.compare(identifier, Qt::CaseInsensitive) == 0 || name.compare(of(module), Qt::CaseInsensitive) == 0)
            return module;
    }
    return std::nullopt;
}

QStringList all()
{
    QStringList names;
    for (Module module : Module::allCases())
        names.append(of(module));
    return names;
}

} // namespace ModuleName
