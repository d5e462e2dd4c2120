#pragma once

#include "records/Module.h"

class CleanerStore;

// Runs one scan through the store until the module is ready, turning the event loop meanwhile.
// On a terminal, a live line on stderr shows the percentage, the bytes found and the path just
// looked at; it is cleared when the scan ends.
void runScan(CleanerStore& store, Module module, bool showProgress);
