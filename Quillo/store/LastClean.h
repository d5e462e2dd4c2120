#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/Trash.h"

// What the last clean that removed anything left behind for undoing it: per item it moved to the
// Trash, the Trash entries the item and its extra locations became. Kept in a file so that a later
// run (`quillo undo`) can put them back; a clean that deleted for good leaves a record that says
// so, and nothing to undo.
struct LastClean {
    struct Item {
        std::filesystem::path url;
        std::vector<platform::TrashEntry> entries;
        bool operator==(const Item&) const = default;
    };

    bool deletedForGood = false;
    std::vector<Item> items;

    bool operator==(const LastClean&) const = default;

    // $XDG_STATE_HOME/Quillo/last-clean.json, with ~/.local/state standing in for an unset or
    // relative XDG_STATE_HOME.
    static std::filesystem::path standardFile();

    // Absent when there is no record, or it cannot be read (through platform::readFileContents,
    // capped) or is not one.
    static std::optional<LastClean> read(const std::filesystem::path& file);
    // Replaces the record at once or not at all; false when it could not be written.
    bool write(const std::filesystem::path& file) const;
    // Drops the record: nothing is left to undo.
    static void remove(const std::filesystem::path& file);
};
