// Feeds arbitrary bytes to the property-list reader, as an Info.plist on disk could hold them.
// It must fail cleanly or answer, never crash, leak or overflow the stack.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/PropertyList.h"

namespace {

void read(std::string_view bytes)
{
    const auto parsed = platform::PropertyListDictionary::parse(bytes);
    if (parsed) {
        for (std::string_view key : {"CFBundleIdentifier", "WorkspacePath", "Device Name", "Last Backup Date"}) {
            (void)parsed->string(key);
            (void)parsed->date(key);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    read(bytes);
    // A short input is also read repeated to 64 KiB: a pattern that opens containers in a way the
    // nesting checks miss then nests thousands deep, and overflows the small stack scripts/fuzz
    // gives this program.
    if (!bytes.empty() && bytes.size() <= 64) {
        std::string repeated;
        while (repeated.size() < 65536)
            repeated += bytes;
        read(repeated);
    }
    return 0;
}
