// Native ".qvl" documents on disk.
#pragma once

#include <filesystem>

class CCentigrade;

// Reads the document at `path` into `scene`. The file is read into a fresh
// scene first, so a damaged file leaves `scene` as it was. An empty file reads
// as nothing and changes nothing. Returns how many faces were repaired to keep
// the invariants. Throws DocumentError naming the file and the cause.
int LoadNativeDocument(const std::filesystem::path& path, CCentigrade& scene);

// Writes `scene` through a temporary file renamed over `path`, so a failed
// save never destroys the previous document. Throws DocumentError.
void SaveNativeDocument(const std::filesystem::path& path, const CCentigrade& scene);
