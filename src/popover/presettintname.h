#pragma once

#include "core/halvopreset.h"

#include <QString>

// The name under which the popover's Style knows a tint ("blue", "red", …).
QString presetTintName(PresetTint tint);
