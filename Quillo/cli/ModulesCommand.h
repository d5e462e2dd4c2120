#pragma once

#include "cli/Command.h"

// `quillo modules`: every module's raw name, title and tagline.
extern const Command modulesCommand;
