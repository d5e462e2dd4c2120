// The screens against a 60 Hz frame, fed by a store of made-up results:
//   - a 500-row result list scrolled a step and its visible rows repainted (budget 8 ms);
//   - switching the module screen: the old one dropped, the new one built, laid out and painted
//     (budget 16 ms);
//   - a live scan reporting 5,000 times a second for three seconds with its scanning screen and
//     the home screen shown, against the store alone and against the same screens at 10 reports a
//     second: the GUI thread's CPU time over the wall time (the reports' share: budget 10 % of a
//     core).
//   QT_QPA_PLATFORM=offscreen build/bench/quillo_bench_screens
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScrollBar>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include "scan/PoolTasks.h"
#include "store/CleanerStore.h"
#include "ui/design/CanvasBackground.h"
#include "ui/design/Motion.h"
#include "ui/home/HomeScreen.h"
#include "ui/module/ItemListView.h"
#include "ui/module/ModuleScreen.h"
#include "ui/screenshots/ScreenFixtures.h"

namespace {

void processEventsFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void scanToReady(CleanerStore& store, Module module)
{
    store.scan(module);
    while (store.isScanning(module))
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A window-sized canvas holding one screen.
struct Window {
    explicit Window(Module module) : canvas(module), layout(new QVBoxLayout(&canvas))
    {
        canvas.resize(900, 740);
        layout->setContentsMargins(0, 0, 0, 0);
        canvas.setAttribute(Qt::WA_DontShowOnScreen);
        canvas.show();
    }
    CanvasBackground canvas;
    QVBoxLayout* layout;
};

void scrollFiveHundredRows(benchmark::State& state)
{
    ScreenFixtures::System system;
    system.results[Module::largeFiles] = ScreenFixtures::result(Module::largeFiles, 500);
    CleanerStore store(system.services());
    scanToReady(store, Module::largeFiles);
    Window window(Module::largeFiles);
    window.layout->addWidget(new ModuleScreen(store, Module::largeFiles));
    processEventsFor(50);
    auto* list = window.canvas.findChild<ItemListView*>();
    QScrollBar* bar = list->verticalScrollBar();
    int rowsPainted = 0;
    for (auto _ : state) {
        bar->setValue(bar->value() + 37 > bar->maximum() ? 0 : bar->value() + 37);
        list->viewport()->repaint();
        ++rowsPainted;
    }
    state.SetLabel(QStringLiteral("%1 rows, %2 px tall view").arg(list->model()->rowCount()).arg(list->viewport()->height()).toStdString());
}
BENCHMARK(scrollFiveHundredRows)->Iterations(300)->Unit(benchmark::kMillisecond);

void switchModules(benchmark::State& state)
{
    ScreenFixtures::System system;
    CleanerStore store(system.services());
    std::vector<Module> modules;
    for (Module module : Module::allCases()) {
        if (module.isLeaf()) {
            scanToReady(store, module);
            modules.push_back(module);
        }
    }
    Window window(Module::systemJunk);
    QWidget* shown = nullptr;
    std::size_t next = 0;
    for (auto _ : state) {
        delete shown;
        shown = new ModuleScreen(store, modules[next++ % modules.size()]);
        window.layout->addWidget(shown);
        window.canvas.repaint();
    }
    delete shown;
    state.SetLabel("results of each module in turn");
}
BENCHMARK(switchModules)->Iterations(90)->Unit(benchmark::kMillisecond);

double threadCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Reports `perSecond` times a second for `seconds`, as a scan's measuring does: pieces of work
// finish on the pool at that pace and each result's report is applied before the next is taken.
struct ReportingScan {
    int perSecond = 5000;
    double seconds = 3;
    std::atomic<int> reports{0};

    CategoryResult run(const ProgressSink& progress)
    {
        const auto start = std::chrono::steady_clock::now();
        const auto total = std::size_t(perSecond * seconds);
        std::size_t taken = 0;
        DiskScanner::takeAsFinished(
            total,
            [&](std::size_t i) {
                std::this_thread::sleep_until(start + std::chrono::microseconds(i * 1'000'000LL / perSecond));
                return i;
            },
            [&](std::size_t, std::size_t i) {
                progress({std::int64_t(i) * 4096, "~/.cache/app/entry-" + std::to_string(i), double(++taken) / total});
                ++reports;
            });
        return {};
    }
};

void reportLiveScanCost(int perSecond, bool withScreens)
{
    ScreenFixtures::System system;
    ReportingScan scan;
    scan.perSecond = perSecond;
    StoreServices services = system.services();
    services.scan = [&](Module, const ScanOptions&, const ProgressSink& progress) { return scan.run(progress); };
    CleanerStore store(std::move(services));
    Window moduleWindow(Module::systemJunk);
    Window homeWindow(Module::smartScan);
    if (withScreens) {
        moduleWindow.layout->addWidget(new ModuleScreen(store, Module::systemJunk));
        homeWindow.layout->addWidget(new HomeScreen(store));
    }
    processEventsFor(100);
    const double cpuBefore = threadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // The event loop sleeps between events, as the application's does.
    QEventLoop loop;
    QObject::connect(&store, &CleanerStore::phaseChanged, &loop, [&](Module module) {
        if (module == Module::systemJunk && store.phase(module) == ScanPhase::ready())
            loop.quit();
    });
    store.scan(Module::systemJunk);
    loop.exec();
    const double cpu = threadCpuSeconds() - cpuBefore;
    const double elapsed = wall.elapsed() / 1000.0;
    std::printf("live scan, %-12s %5d reports/s: %d in %.2f s, GUI thread CPU %.0f ms = %.1f %% of a core\n",
                withScreens ? "both screens" : "store alone", perSecond, scan.reports.load(), elapsed, cpu * 1000,
                100 * cpu / elapsed);
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
    // The store's own hand-over of each report, the screens' steady animations while a scan
    // runs (busy mascots, moving stripes, a spinner), and what the reports add on top.
    reportLiveScanCost(5000, false);
    reportLiveScanCost(10, true);
    reportLiveScanCost(5000, true);
    return 0;
}
