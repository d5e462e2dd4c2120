// The main of every test program. Tests run as root on CI, and root reads and writes through any
// permission bits; to test unreadable and read-only folders for real, the programs give up the
// capabilities that bypass those bits before anything else starts a thread, and take them out of
// the bounding set too, so that programs the tests start (the command line) cannot regain them.
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/IsolatedHome.h"

namespace {

void dropPermissionOverrides()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0)
        return;
    for (int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
        ::prctl(PR_CAPBSET_DROP, capability, 0, 0, 0);
        data[capability / 32].effective &= ~(1u << (capability % 32));
        data[capability / 32].permitted &= ~(1u << (capability % 32));
        data[capability / 32].inheritable &= ~(1u << (capability % 32));
    }
    ::syscall(SYS_capset, &header, data);
}

} // namespace

int main(int argc, char** argv)
{
    dropPermissionOverrides();
    // Before any test runs, so that one which forgets to ask for a fixture home still writes
    // nothing into the real one (settings, autostart entries, the Trash).
    (void)isolatedHome();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
