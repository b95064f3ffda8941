#pragma once

// Requests the compatibility-profile context the fixed-function drawing needs.
// Must run before the QApplication is constructed.
void SetDefaultGlFormat();
