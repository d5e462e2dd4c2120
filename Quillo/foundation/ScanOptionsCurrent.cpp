// ScanOptions::current lives with the preferences it reads; the record itself stays free of Qt.
#include "foundation/Preferences.h"
#include "records/PreferenceKeys.h"
#include "records/ScanOptions.h"

ScanOptions ScanOptions::current()
{
    const Preferences& preferences = Preferences::standard();
    ScanOptions options = fromStored(preferences.integerValue(PreferenceKeys::largeFileThresholdMB),
                                     preferences.integerValue(PreferenceKeys::oldDownloadDays));
    options.keepPaths = preferences.stringListValue(PreferenceKeys::keepPaths).value_or(std::vector<std::string>{});
    return options;
}
