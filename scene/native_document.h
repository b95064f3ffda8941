// Native ".qvl" documents on disk.
#pragma once

#include <filesystem>

class CCentigrade;
struct AtomicWriteOptions;

// Reads the document at `path` into `scene`. A damaged file leaves `scene` as
// it was (CCentigrade::Serialize replaces nothing before a complete read). An empty file reads
// as nothing and changes nothing. Returns how many faces were repaired to keep
// the invariants. Throws DocumentError naming the file and the cause.
int LoadNativeDocument(const std::filesystem::path& path, CCentigrade& scene);

// Moves what a document holds (objects, materials, their counters, the
// smoothing switch, zoom and camera) from `loaded` into `scene`.
void TakeDocumentRecords(CCentigrade& scene, CCentigrade&& loaded);

// Writes `scene` through a temporary file renamed over `path`, so a failed
// save never destroys the previous document. Throws DocumentError.
void SaveNativeDocument(const std::filesystem::path& path, const CCentigrade& scene);
// The same, keeping the file it replaces when `options` ask for it.
void SaveNativeDocument(const std::filesystem::path& path, const CCentigrade& scene,
                        const AtomicWriteOptions& options);
