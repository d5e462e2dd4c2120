// ScanOptions::current lives with the preferences it reads; the record itself stays free of Qt.
#include "core/Preferences.h"
#include "core/records/PreferenceKeys.h"
#include "core/records/ScanOptions.h"

ScanOptions ScanOptions::current()
{
    const Preferences& preferences = Preferences::standard();
    return fromStored(preferences.integerValue(PreferenceKeys::largeFileThresholdMB),
                      preferences.integerValue(PreferenceKeys::oldDownloadDays));
}
