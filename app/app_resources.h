#pragma once

// Makes the icons and desktop files compiled into this static library
// available under ":/"; a static library's resources are not registered by
// themselves. Safe to call more than once.
void InitAppResources();
