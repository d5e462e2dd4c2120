// How long a window full of design-system widgets takes to repaint, against the 16.7 ms of a
// 60 Hz frame: the gallery's largest sheet shown off screen and repainted 100 times, and rendered
// 100 times at twice the pixel density. Then whether that window, left alone, keeps any clock
// running: the timers registered on its widgets, the animations still running, and the CPU time
// it takes over two idle seconds.
//   QT_QPA_PLATFORM=offscreen build/bench/quillo_bench_gallery
#include <sys/resource.h>

#include <cstdio>

#include <QAbstractAnimation>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>

#include <benchmark/benchmark.h>

#include "ui/gallery/GallerySheets.h"

namespace {

std::unique_ptr<QWidget> largestSheet(QString* name = nullptr)
{
    std::unique_ptr<QWidget> largest;
    for (const GallerySheets::Sheet& sheet : GallerySheets::all()) {
        std::unique_ptr<QWidget> widget = sheet.build();
        const auto area = [](const QWidget& w) { return w.width() * w.height(); };
        if (!largest || area(*widget) > area(*largest)) {
            largest = std::move(widget);
            if (name)
                *name = sheet.name;
        }
    }
    return largest;
}

void repaintLargestSheet(benchmark::State& state)
{
    QString name;
    const std::unique_ptr<QWidget> sheet = largestSheet(&name);
    GallerySheets::render(*sheet, 1);
    for (auto _ : state)
        sheet->repaint();
    state.SetLabel(QStringLiteral("%1, %2x%3").arg(name).arg(sheet->width()).arg(sheet->height()).toStdString());
}
BENCHMARK(repaintLargestSheet)->Iterations(100)->Unit(benchmark::kMillisecond);

void renderLargestSheetAtDoubleDensity(benchmark::State& state)
{
    const std::unique_ptr<QWidget> sheet = largestSheet();
    GallerySheets::render(*sheet, 2);
    QImage image(sheet->size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    for (auto _ : state) {
        QPainter painter(&image);
        sheet->render(&painter);
    }
}
BENCHMARK(renderLargestSheetAtDoubleDensity)->Iterations(100)->Unit(benchmark::kMillisecond);

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Timers registered on the sheet's objects, and animations running under it.
std::pair<int, int> clocksRunning(QWidget& sheet)
{
    int timers = 0;
    int animations = 0;
    QList<QObject*> objects = sheet.findChildren<QObject*>();
    objects.append(&sheet);
    for (QObject* object : objects) {
        timers += int(QAbstractEventDispatcher::instance()->registeredTimers(object).size());
        if (auto* animation = qobject_cast<QAbstractAnimation*>(object))
            animations += animation->state() == QAbstractAnimation::Running;
    }
    return {timers, animations};
}

void runEventLoopFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void reportIdle()
{
    for (const GallerySheets::Sheet& sheet : GallerySheets::all()) {
        const std::unique_ptr<QWidget> widget = sheet.build();
        GallerySheets::render(*widget, 1);
        runEventLoopFor(1500);
        const auto [timers, animations] = clocksRunning(*widget);
        const double before = cpuSeconds();
        runEventLoopFor(2000);
        std::printf("idle %-12s timers %d, animations running %d, CPU %.1f ms over 2 s\n", qPrintable(sheet.name),
                    timers, animations, (cpuSeconds() - before) * 1000);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    reportIdle();
    return 0;
}
