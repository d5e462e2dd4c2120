#pragma once

#include <filesystem>

// A home folder of the test program's own: HOME and the XDG data, config, cache and state folders
// point into a temporary folder for the whole program, so that no test reaches the user's real
// home, Trash, caches, preferences or Flatpak installations. GLib (and Flatpak) read these once
// and keep them, so the first call must come before any GLib call; every later call returns the
// same folder. Removed when the program ends.
//
// The home lies two levels below the temporary root (ROOT/home/user), so that a test can try to
// remove the folders above it without putting anything real at risk.
const std::filesystem::path& isolatedHome();

// The home Trash's folder of trashed items, emptied along with its records.
std::filesystem::path emptiedTrash();
