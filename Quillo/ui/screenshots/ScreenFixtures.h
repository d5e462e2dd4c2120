#pragma once

#include <array>
#include <filesystem>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "records/CategoryResult.h"
#include "records/Module.h"
#include "store/StoreServices.h"

// Made-up results and a made-up system for showing the screens without scanning anything: the
// screenshots and the benchmarks feed a store with these.
namespace ScreenFixtures {

// A result for `module` of `count` items (0: a typical number for the module), with names,
// details, sizes, dates and tags like the real scan's; the recommended ones marked so. Their
// locations lie in `home`, where nothing needs to exist.
CategoryResult result(Module module, int count = 0, const std::filesystem::path& home = "/home/fixture");

// Makes the files and folders of `result` (empty), so their icons are the real ones.
void materialise(const CategoryResult& result);

// Answers the store in the scanners', cleaner's and probes' place. Every leaf scan returns its
// result at once, except a held one: it reports `heldProgress` and then waits until cancelled. A
// clean removes everything but the first `failures` items, and waits while cleans are held.
class System {
public:
    // With `onDisk`, the items exist in a temporary home of their own, removed with the system.
    explicit System(bool onDisk = false);
    ~System();

    std::array<CategoryResult, Module::caseCount> results;
    std::set<Module> held;
    ScanProgress heldProgress{3'180'000'000, "~/Library/Caches/com.example.Browser/Cache_Data/f_00a1c3", 0.42};
    int failures = 0;
    StorageInfo storage{"Fixture HD", 494'380'000'000, 182'400'000'000};
    bool deleteImmediately = false;
    // The keep list; a clean to the Trash can be undone (and every entry comes back).
    std::vector<std::string> kept;

    // Holds or releases every clean.
    void holdCleans(bool hold);

    StoreServices services();

private:
    CategoryResult scan(Module leaf, const ProgressSink& progress);
    CleanReport clean(const std::vector<ScanItem>& items);

    std::filesystem::path home_;
    std::filesystem::path lastCleanRecord_;
    std::mutex mutex_;
    std::condition_variable_any released_;
    bool cleansHeld_ = false;
};

} // namespace ScreenFixtures
