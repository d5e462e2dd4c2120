#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "platform/AppBundle.h"
#include "platform/RunningApplications.h"
#include "support/FakeAppBundle.h"
#include "support/TempTree.h"

using namespace platform;

namespace {

// A real process whose executable lies inside a bundle: a copy of `sleep`.
class RunningCopy {
public:
    explicit RunningCopy(const std::filesystem::path& executable) : executable_(executable)
    {
        std::filesystem::copy_file("/bin/sleep", executable, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::permissions(executable, std::filesystem::perms::owner_all);
        std::string name = executable.filename().string();
        std::string seconds = "60";
        char* argv[] = {name.data(), seconds.data(), nullptr};
        started_ = ::posix_spawn(&pid_, executable.c_str(), nullptr, nullptr, argv, environ) == 0;
        // posix_spawn may return before the new program replaced the test's image.
        for (int i = 0; started_ && i < 500 && !runs(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~RunningCopy()
    {
        if (started_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    bool started() const { return started_ && runs(); }

private:
    bool runs() const
    {
        std::error_code error;
        auto target = std::filesystem::read_symlink("/proc/" + std::to_string(pid_) + "/exe", error);
        return !error && target.filename().string().starts_with(executable_.filename().string());
    }

    std::filesystem::path executable_;
    pid_t pid_ = 0;
    bool started_ = false;
};

} // namespace

TEST(RunningApplications, AreTheBundlesWhoseExecutableAProcessRuns)
{
    TempTree tree;
    tree.folder("Applications");
    tree.symlink("Linked", tree.path("Applications"));
    makeAppBundle(tree.path("Applications/Sleeper.app"), "com.example.sleeper");
    makeAppBundle(tree.path("Applications/Idle.app"), "com.example.idle");
    // Known through a link, as an applications folder may be; the kernel names the real path.
    const auto sleeper = openAppBundle(tree.path("Linked/Sleeper.app")).value();
    const auto idle = openAppBundle(tree.path("Applications/Idle.app")).value();

    RunningCopy process(tree.path("Applications/Sleeper.app/Contents/MacOS/Sleeper"));
    if (!process.started())
        GTEST_SKIP() << "cannot run programs from the temporary folder";
    using Identifiers = std::set<std::string, std::less<>>;
    EXPECT_EQ(runningApplicationIdentifiers({sleeper, idle}), Identifiers{"com.example.sleeper"});
    EXPECT_EQ(runningApplicationIdentifiers({idle}), Identifiers{});

    // Replaced on disk while it runs (an update): still running.
    std::filesystem::remove(tree.path("Applications/Sleeper.app/Contents/MacOS/Sleeper"));
    EXPECT_EQ(runningApplicationIdentifiers({sleeper, idle}), Identifiers{"com.example.sleeper"});
}

// A clean must leave the cache of a running sandboxed app alone, so each must be known by the id
// its cache carries.
TEST(RunningApplications, SandboxedAppsAreKnownByTheirFlatpakIdOrSnapName)
{
    TempTree processes;
    writeFile(processes.path("100/root/.flatpak-info"),
              "[Application]\nname=org.gimp.GIMP\nruntime=runtime/org.gnome.Platform/x86_64/46\n");
    writeFile(processes.path("101/root/.flatpak-info"), "[Runtime]\nruntime=runtime/org.gnome.Platform/x86_64/46\n");
    writeFile(processes.path("200/cgroup"),
              "0::/user.slice/user-1000.slice/user@1000.service/app.slice/snap.firefox.firefox-2b9a.scope\n");
    writeFile(processes.path("201/cgroup"), "0::/system.slice/snapd.service\n");
    writeFile(processes.path("202/cgroup"), "0::/user.slice/user-1000.slice/session-2.scope\n");
    writeFile(processes.path("self/cgroup"), "0::/snap.self.x.scope\n");
    using Identifiers = std::set<std::string, std::less<>>;
    EXPECT_EQ(runningSandboxedApplications(processes.root()), (Identifiers{"firefox", "org.gimp.GIMP"}));
}
