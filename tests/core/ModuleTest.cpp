#include <set>
#include <string>

#include <gtest/gtest.h>

#include "core/records/Module.h"

TEST(Module, RawValueRoundTripsForEveryCaseAndNothingElse)
{
    for (Module module : Module::allCases()) {
        EXPECT_EQ(Module::fromRawValue(module.rawValue()), module);
        EXPECT_EQ(module.id(), module.rawValue());
    }
    EXPECT_EQ(Module::fromRawValue("smartScan"), Module(Module::smartScan));
    EXPECT_FALSE(Module::fromRawValue("SmartScan"));
    EXPECT_FALSE(Module::fromRawValue(""));
    EXPECT_FALSE(Module::fromRawValue("iPhone Backups"));
    EXPECT_FALSE(Module::fromRawValue(" trash"));
}

TEST(Module, AllCasesAreTenInDeclarationOrder)
{
    const auto all = Module::allCases();
    ASSERT_EQ(all.size(), 10u);
    EXPECT_EQ(all.front(), Module::smartScan);
    EXPECT_EQ(all.back(), Module::iosBackups);
    for (std::size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(static_cast<std::size_t>(all[i]), i);
    std::set<std::string_view> names;
    for (Module module : all)
        names.insert(module.rawValue());
    EXPECT_EQ(names.size(), 10u);
}

TEST(Module, OnlyTrashAndBackupsNeedFullDiskAccess)
{
    for (Module module : Module::allCases())
        EXPECT_EQ(module.needsFullDiskAccess(), module == Module::trash || module == Module::iosBackups)
            << module.rawValue();
}

TEST(Module, SmartScanRunsThreeTargetsOthersThemselves)
{
    const auto smart = Module(Module::smartScan).scanTargets();
    ASSERT_EQ(smart.size(), 3u);
    EXPECT_EQ(smart[0], Module::systemJunk);
    EXPECT_EQ(smart[1], Module::developerJunk);
    EXPECT_EQ(smart[2], Module::trash);
    for (Module module : Module::allCases()) {
        if (module == Module::smartScan)
            continue;
        ASSERT_EQ(module.scanTargets().size(), 1u);
        EXPECT_EQ(module.scanTargets()[0], module);
    }
}

TEST(Module, TextsThatDifferFromTheName)
{
    EXPECT_EQ(Module(Module::iosBackups).title(), "iPhone Backups");
    EXPECT_EQ(Module(Module::iosBackups).rawValue(), "iosBackups");
    EXPECT_EQ(Module(Module::leftovers).title(), "App Leftovers");
    EXPECT_EQ(Module(Module::smartScan).symbol(), "sparkles");
    EXPECT_EQ(Module(Module::trash).locations().size(), 1u);
    EXPECT_EQ(Module(Module::trash).locations().data(), Module(Module::trash).locations().data());
}

TEST(Module, OnlyTwoExplanationsCarryTheEmDash)
{
    const std::string_view emDash = "\u2014";
    for (Module module : Module::allCases()) {
        const bool expected = module == Module::systemJunk || module == Module::iosBackups;
        EXPECT_EQ(module.explanation().find(emDash) != std::string_view::npos, expected) << module.rawValue();
        for (std::string_view text : {module.title(), module.tagline(), module.headline()})
            EXPECT_EQ(text.find('\xe2'), std::string_view::npos) << "typographic character in " << text;
    }
}

TEST(Module, HashesAsItsName)
{
    for (Module module : Module::allCases())
        EXPECT_EQ(std::hash<Module>{}(module), std::hash<std::string_view>{}(module.rawValue()));
}
