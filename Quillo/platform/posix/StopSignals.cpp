#include "platform/StopSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>

namespace platform {

namespace {

constexpr int caught[] = {SIGINT, SIGTERM};
// What the handler may touch: plain values set before it is installed.
struct sigaction previous[std::size(caught)];
bool installed[std::size(caught)];
int pipeWriteEnd = -1;

void restorePrevious()
{
    for (std::size_t i = 0; i < std::size(caught); ++i) {
        if (installed[i])
            ::sigaction(caught[i], &previous[i], nullptr);
    }
}

void onStopSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    (void)!::write(pipeWriteEnd, &byte, 1);
    restorePrevious();
    errno = savedErrno;
}

bool makePipe(FileDescriptor& readEnd, FileDescriptor& writeEnd)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return false;
    readEnd = FileDescriptor(ends[0]);
    writeEnd = FileDescriptor(ends[1]);
    for (int fd : ends) {
        if (::fcntl(fd, F_SETFD, FD_CLOEXEC) != 0 || ::fcntl(fd, F_SETFL, O_NONBLOCK) != 0)
            return false;
    }
    return true;
}

} // namespace

StopSignals::StopSignals()
{
    if (!makePipe(readEnd_, writeEnd_)) {
        readEnd_.reset();
        writeEnd_.reset();
        return;
    }
    pipeWriteEnd = writeEnd_.get();
    struct sigaction handler {};
    handler.sa_handler = onStopSignal;
    ::sigemptyset(&handler.sa_mask);
    for (int signal : caught)
        ::sigaddset(&handler.sa_mask, signal);
    handler.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(caught); ++i) {
        installed[i] = ::sigaction(caught[i], nullptr, &previous[i]) == 0 && previous[i].sa_handler != SIG_IGN &&
                       ::sigaction(caught[i], &handler, nullptr) == 0;
    }
}

StopSignals::~StopSignals()
{
    restorePrevious();
    for (bool& was : installed)
        was = false;
    pipeWriteEnd = -1;
}

} // namespace platform
