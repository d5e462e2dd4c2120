#include "ui/design/Translations.h"

#include <QCoreApplication>
#include <QTranslator>

void Translations::install()
{
    static QTranslator* english = nullptr;
    if (english || !QCoreApplication::instance())
        return;
    english = new QTranslator(QCoreApplication::instance());
    if (english->load(QStringLiteral(":/quillo/translations/quillo_en.qm")))
        QCoreApplication::installTranslator(english);
}
