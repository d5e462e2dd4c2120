// Scans a generated home of 20,000 cache and log entries with the system junk routine, bare and
// through the store (every progress report applied on the event loop's thread before the routine
// goes on, the result shown and its recommended items ticked), alternating, and prints the
// medians and the store's overhead. Both run the routine on a thread of their own and drop the
// previous round's result, so that what differs is only the store's work.
//
// usage: quillo_store_overhead HOME [ROUNDS] [FILES_PER_CACHE_FOLDER]
//
// With two small files per cache folder (the default) the measuring work per entry is as small as
// it gets, so the cost of handing 20,000 reports over weighs the most.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QEventLoop>

#include "store/CleanerStore.h"
#include "scan/DiskScanner.h"
#include "scan/SystemAnswers.h"
#include "scan/routines/SystemJunk.h"

namespace {

using Clock = std::chrono::steady_clock;

void makeHome(const std::filesystem::path& home, int filesPerFolder)
{
    const auto stamp = home / ".complete";
    if (std::filesystem::exists(stamp))
        return;
    const std::string data(3000, 'c');
    auto write = [&](const std::filesystem::path& path) { std::ofstream(path, std::ios::binary) << data; };
    for (int i = 0; i < 12'000; ++i) {
        const auto entry = home / "Library/Caches" / ("com.vendor" + std::to_string(i % 300) + ".app" + std::to_string(i));
        if (i % 10 < 7) {
            std::filesystem::create_directories(entry);
            for (int file = 0; file < filesPerFolder; ++file)
                write(entry / ("blob" + std::to_string(file)));
        } else {
            std::filesystem::create_directories(entry.parent_path());
            write(entry);
        }
    }
    std::filesystem::create_directories(home / "Library/Logs");
    for (int i = 0; i < 8'000; ++i)
        write(home / "Library/Logs" / ("tool" + std::to_string(i) + ".log"));
    std::ofstream(stamp) << "20000";
}

// The routine on a thread of its own, as the store runs it; the previous round's result is
// dropped first, as a rescan through the store drops it.
double bareSeconds(std::optional<CategoryResult>& result, int& reports)
{
    reports = 0;
    const auto start = Clock::now();
    result.reset();
    std::thread([&] {
        result = DiskScanner::systemJunk(ProgressSink([&](const ScanProgress&) { ++reports; }));
    }).join();
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    return elapsed.count();
}

// CPU time of the calling thread (user and system).
double threadCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Also adds the store thread's CPU time during the scan to `storeThreadCpu`.
double storeSeconds(CleanerStore& store, std::size_t& items, double& storeThreadCpu)
{
    QEventLoop loop;
    QObject::connect(&store, &CleanerStore::phaseChanged, &loop, [&](Module module) {
        if (module == Module::systemJunk && store.phase(module) == ScanPhase::ready())
            loop.quit();
    });
    const double cpuBefore = threadCpuSeconds();
    const auto start = Clock::now();
    store.scan(Module::systemJunk);
    loop.exec();
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    storeThreadCpu += threadCpuSeconds() - cpuBefore;
    items = store.result(Module::systemJunk)->items.size();
    return elapsed.count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillo_store_overhead HOME [ROUNDS] [FILES_PER_CACHE_FOLDER]\n");
        return 2;
    }
    const std::filesystem::path home = std::filesystem::absolute(argv[1]);
    const int rounds = argc > 2 ? std::stoi(argv[2]) : 21;
    makeHome(home, argc > 3 ? std::stoi(argv[3]) : 2);
    DiskScanner::setHomeForTesting(home);
    // No applications to look cache names up in: the comparison is about the store, not lookups.
    DiskScanner::setApplicationFoldersForTesting(home / "no-apps", home / "no-system-apps");

    CleanerStore store(StoreServices::live());
    std::optional<CategoryResult> bareResult;
    std::size_t storeItems = 0;
    int reports = 0;
    bareSeconds(bareResult, reports); // warms the cache
    std::vector<double> bare, throughStore;
    double storeThreadCpu = 0;
    for (int round = 0; round < rounds; ++round) {
        bare.push_back(bareSeconds(bareResult, reports));
        throughStore.push_back(storeSeconds(store, storeItems, storeThreadCpu));
    }
    const std::size_t bareItems = bareResult->items.size();
    const double b = median(bare);
    const double s = median(throughStore);
    std::printf("entries: %zu items, %d progress reports per scan\n", bareItems, reports);
    std::printf("bare routine:  median %.3f s over %d rounds\n", b, rounds);
    std::printf("through store: median %.3f s (%zu items)\n", s, storeItems);
    std::printf("store / bare = %.3f  (overhead %+.1f %%)\n", s / b, (s / b - 1) * 100);
    // Host noise only ever adds time, so the fastest rounds show the cost itself.
    const double fastestRatio = *std::min_element(throughStore.begin(), throughStore.end()) /
                                *std::min_element(bare.begin(), bare.end());
    std::printf("fastest rounds: store / bare = %.3f\n", fastestRatio);
    // What the store's thread spends while a scan runs: taking results, applying reports, waiting.
    const double storeWall = std::accumulate(throughStore.begin(), throughStore.end(), 0.0);
    std::printf("store thread busy: %.1f %% of a core during the scans\n", 100 * storeThreadCpu / storeWall);
    return storeItems == bareItems ? 0 : 1;
}
