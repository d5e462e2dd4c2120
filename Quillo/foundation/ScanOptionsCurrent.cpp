// ScanOptions::current lives with the preferences it reads; the record itself stays free of Qt.
#include "foundation/Preferences.h"
#include "records/PreferenceKeys.h"
#include "records/ScanOptions.h"

ScanOptions ScanOptions::current()
{
    const Preferences& preferences = Preferences::standard();
    return fromStored(preferences.integerValue(PreferenceKeys::largeFileThresholdMB),
                      preferences.integerValue(PreferenceKeys::oldDownloadDays));
}
