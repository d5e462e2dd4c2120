// Renders the gallery's sheets, light and dark, as PNG files into the folder named on the command
// line, for review: QT_QPA_PLATFORM=offscreen quillo-gallery OUTPUT_FOLDER
#include <cstdio>

#include <QApplication>
#include <QDir>

#include "ui/design/Appearance.h"
#include "ui/design/Motion.h"
#include "ui/gallery/GallerySheets.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: quillo-gallery OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(arguments[1]);
    if (!QDir().mkpath(folder.absolutePath())) {
        std::fprintf(stderr, "quillo-gallery: cannot create %s\n", qPrintable(folder.absolutePath()));
        return 1;
    }
    // Finished states only: a render shows where each animation lands.
    Motion::setAnimationsEnabled(false);
    for (const bool dark : {false, true}) {
        Appearance::instance().apply(dark);
        for (const GallerySheets::Sheet& sheet : GallerySheets::all()) {
            const std::unique_ptr<QWidget> widget = sheet.build();
            const QString file = folder.filePath(sheet.name + (dark ? "-dark.png" : "-light.png"));
            if (!GallerySheets::render(*widget, 2).save(file)) {
                std::fprintf(stderr, "quillo-gallery: cannot write %s\n", qPrintable(file));
                return 1;
            }
            std::printf("%s\n", qPrintable(file));
        }
    }
    return 0;
}
