#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Trash.h"

// What undoing the last clean did, entry by entry.
struct UndoReport {
    enum class Kind {
        // The record's entries were tried.
        undone,
        // No clean left anything to put back: none was recorded, or its entries were all put back
        // or left the Trash since.
        nothingToUndo,
        // The last clean deleted its items for good.
        deletedForGood,
    };

    struct Entry {
        // The item of the clean the entry belongs to.
        std::filesystem::path item;
        platform::TrashEntry entry;
        // Empty when it is back (platform::restoreFromTrash tells the others).
        std::error_code error;
    };

    Kind kind = Kind::nothingToUndo;
    std::vector<Entry> entries;

    std::size_t restoredCount() const;
    // Why an entry stayed, in words: the refusals of platform::restoreFromTrash told plainly,
    // else the system's own words.
    static std::string reason(std::error_code error);
};
