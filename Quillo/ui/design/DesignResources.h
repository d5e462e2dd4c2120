#pragma once

// The fonts and symbol images compiled into the design library. A static library's resources
// are not registered by themselves; anything reading ":/quillo/..." calls load() first.
namespace DesignResources {
void load();
}
