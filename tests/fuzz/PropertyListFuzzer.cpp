// Feeds arbitrary bytes to the property-list reader, as an Info.plist on disk could hold them.
// It must fail cleanly or answer, never crash, leak or overflow the stack (scripts/fuzz runs it
// with a small stack so that nesting the checks let through would show).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/PropertyList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto parsed = platform::PropertyListDictionary::parse(bytes);
    if (parsed) {
        for (std::string_view key : {"CFBundleIdentifier", "WorkspacePath", "Device Name", "Last Backup Date"}) {
            (void)parsed->string(key);
            (void)parsed->date(key);
        }
    }
    return 0;
}
