#include "store/UndoReport.h"

#include <algorithm>

std::size_t UndoReport::restoredCount() const
{
    return static_cast<std::size_t>(std::ranges::count_if(entries, [](const Entry& entry) { return !entry.error; }));
}

std::string UndoReport::reason(std::error_code error)
{
    if (error == std::errc::file_exists || error == std::errc::directory_not_empty)
        return "something else is at its place now";
    if (error == std::errc::no_such_file_or_directory)
        return "no longer in the Trash";
    if (error == std::errc::no_message_available)
        return "its Trash record is gone";
    if (error == std::errc::cross_device_link)
        return "its place is on another file system now";
    return error.message();
}
