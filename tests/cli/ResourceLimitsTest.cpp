#include <sys/resource.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/QuilloProcess.h"
#include "support/TempTree.h"

using ::testing::HasSubstr;

namespace {

// A user of its own, so that the limit on its threads counts only this run's.
constexpr uid_t limitedUser = 54'321;

std::function<void()> asLimitedUserWithThreads(rlim_t threads)
{
    return [threads] {
        const rlimit limit{threads, threads};
        if (::setrlimit(RLIMIT_NPROC, &limit) != 0 || ::setresgid(limitedUser, limitedUser, limitedUser) != 0 ||
            ::setresuid(limitedUser, limitedUser, limitedUser) != 0)
            ::_exit(99);
    };
}

} // namespace

// With too few threads for the smart scan's three drivers the command says so and fails; with
// just enough for them but not for the work pool's workers, the scan still finishes, doing the
// work on fewer threads. Never an abort, never a hang.
TEST(ResourceLimits, AThreadLimitEndsTheCommandWithAMessageOrRunsOnFewerThreads)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs to start the command as another user";
    TempTree tree;
    for (int i = 0; i < 40; ++i)
        tree.file("home/Library/Caches/app" + std::to_string(i) + "/blob", 5'000);
    ::chmod(tree.root().c_str(), 0755);

    const QuilloRun refused = runQuillo({"scan", "smartScan"}, tree.path("home"), asLimitedUserWithThreads(2));
    EXPECT_EQ(refused.status, 1) << refused.err;
    EXPECT_THAT(refused.err, HasSubstr("cannot start the work"));

    for (rlim_t threads : {4, 5}) {
        const QuilloRun scanned = runQuillo({"scan", "smartScan"}, tree.path("home"), asLimitedUserWithThreads(threads));
        EXPECT_EQ(scanned.status, 0) << threads << " threads: " << scanned.err;
        EXPECT_THAT(scanned.out, HasSubstr("40 items")) << threads << " threads";
    }
}
