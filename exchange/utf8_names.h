// Names in files from other programs: UTF-8 on today's systems, Shift-JIS in
// older Japanese files. The scene keeps code page 932 bytes.
#pragma once

#include <string>
#include <string_view>

bool IsUtf8(std::string_view text);

// `text` as code page 932 bytes: UTF-8 is converted (characters code page 932
// lacks become "?" and are counted in `replaced`), anything else is taken to
// be Shift-JIS already and kept byte for byte.
std::string ForeignNameToCp932(std::string_view text, int& replaced);
