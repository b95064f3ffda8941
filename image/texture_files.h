// File-name helpers of the texture loader, also used by the document commands
// and the material panel.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Sets `out` to the text after the last "." of the last component of `path`
// (a CP932 name; separators "\" and "/"), or to "" when that component has no
// dot. Double-byte characters are stepped over whole, so a trail byte equal to
// "\" is not taken for a separator. Always true.
bool GetFileExtension(std::string& out, std::string_view path);

// The folder of the running executable, ending with a separator.
std::filesystem::path GetModuleFolder();
