#pragma once

#include <QColor>

#include "records/Module.h"
#include "ui/design/DynamicColor.h"

// A module's four colours. Built on each call and cheap; callers do not keep it.
struct ModuleTheme {
    // The signature colour: filled bubbles, primary buttons, bar fills. The same in both appearances.
    QColor strong;
    // Text and glyphs drawn on `strong`. The same in both appearances.
    QColor onStrong;
    // A pale wash of the colour.
    DynamicColor tint;
    // Text in the module's colour.
    DynamicColor ink;

    // Module::theme lives here rather than on Module, which is a plain record without Qt.
    static ModuleTheme of(Module module);
};
