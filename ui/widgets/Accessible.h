// What screen readers hear of the window's controls beyond Qt's defaults.
#pragma once

// Drop-down lists announce their accessible name as the name and their current
// item as the value (Qt on Linux would announce only the item). Call once,
// before any window exists.
void InstallAccessibility();
