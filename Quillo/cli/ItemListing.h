#pragma once

#include <cstdio>
#include <vector>

#include "records/ScanItem.h"

class CleanerStore;

// Two lines per item, as a person reads it, ticked items marked:
//   [x]    12.3 MB  Name  (tags)  detail
//                   ~/path/of/the/item
// then nothing else. Names, details and paths are escaped for a terminal; colour only where
// TextStyle allows it.
void printItems(std::FILE* out, const CleanerStore& store, const std::vector<ScanItem>& items);
