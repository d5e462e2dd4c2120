#include "support/SparseFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>
#include <string>

std::filesystem::path writeSparseFile(const std::filesystem::path& path, std::int64_t length,
                                      const std::vector<SparsePiece>& pieces)
{
    std::filesystem::create_directories(path.parent_path());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::ftruncate(fd, length) != 0)
        throw std::runtime_error("cannot make " + path.string());
    for (const auto& [offset, bytes] : pieces) {
        if (::pwrite(fd, bytes.data(), bytes.size(), offset) != static_cast<ssize_t>(bytes.size()))
            throw std::runtime_error("cannot write " + path.string());
    }
    ::close(fd);
    return path;
}

std::int64_t bytesReadByThisProcess()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    std::int64_t value = 0;
    while (io >> key >> value) {
        if (key == "rchar:")
            return value;
    }
    throw std::runtime_error("no read count in /proc/self/io");
}
