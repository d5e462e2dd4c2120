#pragma once

#include <cstdio>
#include <vector>

#include "records/ScanItem.h"

class CleanerStore;

// One line per item, as a person reads it: "[x]   12.3 MB  Name  (tags)  detail", ticked
// items marked; then nothing else.
void printItems(std::FILE* out, const CleanerStore& store, const std::vector<ScanItem>& items);
