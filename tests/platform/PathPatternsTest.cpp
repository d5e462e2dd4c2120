#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fnmatch.h>

#include "platform/NamePattern.h"
#include "platform/PathPatterns.h"
#include "support/TempTree.h"

using platform::PathPatterns;

TEST(PathPatterns, CoversAKeptPathWhatLiesInsideItAndWhatAPatternOrANameMatches)
{
    const PathPatterns kept({"/h/Projects/keep/", "~/Projects/*/build", "*.iso", "node_modules", "relative/x"}, "/h");
    EXPECT_TRUE(kept.covers("/h/Projects/keep"));
    EXPECT_TRUE(kept.covers("/h/Projects/keep/a/b"));
    EXPECT_FALSE(kept.covers("/h/Projects/keeper"));
    EXPECT_FALSE(kept.covers("/h/Projects"));
    // "*" stands for one whole component, a hidden one too, and never for a "/".
    EXPECT_TRUE(kept.covers("/h/Projects/app/build"));
    EXPECT_TRUE(kept.covers("/h/Projects/.hidden/build/out.o"));
    EXPECT_FALSE(kept.covers("/h/Projects/a/b/build"));
    EXPECT_FALSE(kept.covers("/h/Projects/app/builds"));
    // A name, wherever it is.
    EXPECT_TRUE(kept.covers("/h/Downloads/disk.iso"));
    EXPECT_TRUE(kept.covers("/h/src/node_modules/left-pad/index.js"));
    EXPECT_FALSE(kept.covers("/h/src/node_modules2"));
    EXPECT_FALSE(kept.covers("/h/relative/x"));
}

// An item's own path, kept as it is: pattern characters in its name match only themselves.
TEST(PathPatterns, ALiteralEntryMatchesOnlyItsOwnPath)
{
    const std::filesystem::path odd = "/h/draft [1] *?\\";
    const PathPatterns kept({PathPatterns::literal(odd)}, "/h");
    EXPECT_TRUE(kept.covers(odd));
    EXPECT_TRUE(kept.covers(odd / "inside"));
    EXPECT_FALSE(kept.covers("/h/draft 1 xy\\"));
}

// Removing a folder whole would take what is kept inside it, when it is there.
TEST(PathPatterns, AFolderHoldsSomethingKeptOnlyWhereItExists)
{
    TempTree tree;
    tree.file("cache/models/weights.bin", 1);
    tree.file("cache/other/file", 1);
    tree.file("photos/2020/trip.iso", 1);
    tree.symlink("cache/linked", tree.path("photos"));
    const PathPatterns kept({tree.path("cache/*/weights.bin").string(), tree.path("cache/gone/x").string(),
                             tree.path("cache/linked/2020").string()},
                            "/h");
    EXPECT_TRUE(kept.coversSomethingInside(tree.path("cache")));
    EXPECT_TRUE(kept.coversSomethingInside(tree.path("cache/models")));
    EXPECT_FALSE(kept.coversSomethingInside(tree.path("cache/other")));
    EXPECT_FALSE(kept.coversSomethingInside(tree.path("cache/models/weights.bin")));
    EXPECT_FALSE(kept.coversSomethingInside(tree.path("photos")));

    const PathPatterns names({"*.iso"}, "/h");
    EXPECT_TRUE(names.coversSomethingInside(tree.path("photos")));
    EXPECT_FALSE(names.coversSomethingInside(tree.path("cache")));
}

// A walk trusts the quick answer for most names: it must be fnmatch's own, for every shape.
TEST(PathPatterns, ANamePatternAgreesWithFnmatch)
{
    const std::vector<std::string> patterns{
        "build", "*.iso", "*", "a*", "*a", "a*b", "a*b*a", "ab*ba", "a**b", "*.?keep", "??", "x?y*z", "[Kk]eep-*",
        "*[0-9][0-9].part", "[!a]*", "[]x]y", "[^]]", "*[a-", "\\*lit\\?", "esc\\", "[[:digit:]]*", "*.[ch]\\]",
        "café*", "caf?"};
    const std::vector<std::string> names{"build", "builds", "disk.iso", ".iso", "a", "ab", "aba", "abba", "aXbYa",
                                         "b.xkeep", ".keep", "xy", "x1yz", "Keep-1", "keep-", "Kept-1", "12.part",
                                         "a12.part", "ba", "]y", "xy", "]", "[a-", "z[a-", "*lit?", "xlit?",
                                         "esc\\", "7up", "f.c]", "f.c", "café au lait", "café", "cafe", "caf"};
    for (const auto& pattern : patterns) {
        const platform::NamePattern compiled(pattern);
        for (const auto& name : names)
            EXPECT_EQ(compiled.matches(name), ::fnmatch(pattern.c_str(), name.c_str(), 0) == 0)
                << "'" << pattern << "' against '" << name << "'";
    }
}
