#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/Module.h"
#include "records/ScanItem.h"

class CleanerStore;

// The ticked items of a module as a clean will take them, each with the way it will go.
struct CleanPlan {
    struct Entry {
        ScanItem item;
        bool deletedForGood = false;
    };

    // What a number of items comes to, by the way it goes.
    struct Amounts {
        int trashedItems = 0;
        std::int64_t trashedBytes = 0;
        int deletedItems = 0;
        std::int64_t deletedBytes = 0;

        void add(std::int64_t bytes, bool deletedForGood);
        int items() const { return trashedItems + deletedItems; }
    };

    // As the store decides: what is in the Trash already can only be deleted; the rest is
    // deleted when `deleteImmediately`, else moved to the Trash.
    static CleanPlan of(const CleanerStore& store, Module module, bool deleteImmediately);

    Amounts amounts() const;
    std::vector<ScanItem> items() const;

    std::vector<Entry> entries;
};

// How the amounts read in a sentence, naming only the ways items go: "Moved 3 MB to the Trash",
// "Freed 3 MB", "Moved 3 MB to the Trash and freed 1 MB" (past); "Would move ... and free ..."
// (would).
enum class Tense { past, would };
std::string describe(const CleanPlan::Amounts& amounts, Tense tense);
