#include <set>
#include <string>

#include <gtest/gtest.h>

#include "platform/PlatformWords.h"
#include "records/Module.h"

// The store keeps per-module arrays indexed by case: every case must sit at its own index, with
// a name of its own that reads back as the same case, and nothing else may read as a case.
TEST(Module, EveryCaseSitsAtItsIndexAndItsNameRoundTrips)
{
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < Module::allCases().size(); ++i) {
        const Module module = Module::allCases()[i];
        EXPECT_EQ(static_cast<std::size_t>(module), i);
        EXPECT_EQ(Module::fromRawValue(module.rawValue()), module);
        names.insert(module.rawValue());
    }
    EXPECT_EQ(names.size(), Module::caseCount);
    for (const char* other : {"SmartScan", "", "iPhone Backups", " trash"})
        EXPECT_FALSE(Module::fromRawValue(other)) << other;
}

// Texts that name a macOS-only thing come from the platform's table, and Linux's never name one.
TEST(Module, TextsThatNameOneSystemsThingsAreThatSystemsWords)
{
    const auto& linux = platform::linuxWords();
    for (std::string_view text : {linux.scanMyComputer, linux.computerIsSpotless, linux.computerIsAlmostFullOnly,
                                  linux.trayIdleLine, linux.developerJunkHeadline, linux.developerJunkExplanation,
                                  linux.iosBackupsExplanation, linux.systemTagHelp, linux.showInFileManager,
                                  linux.needsAccess, linux.openAccessSettings, linux.accessMessageAfter,
                                  linux.folderAccessMessage, linux.startupVolumeFallback}) {
        for (std::string_view macOnly : {"Mac", "Xcode", "Finder", "System Settings", "Full Disk Access", "Library"})
            EXPECT_EQ(text.find(macOnly), std::string_view::npos) << text;
    }
    EXPECT_EQ(Module(Module::developerJunk).tagline(), platform::platformWords().developerJunkTagline);
    EXPECT_EQ(Module(Module::trash).locations().front(), platform::platformWords().trashLocations.front());
    EXPECT_EQ(Module(Module::uninstaller).locations().front(), platform::platformWords().uninstallerLocations.front());
    EXPECT_EQ(Module(Module::leftovers).locations().front(), platform::platformWords().leftoversLocations.front());
}
