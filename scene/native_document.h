// Native ".qvl" documents on disk.
#pragma once

#include <filesystem>

#include "scene/file_failure.h"

class CCentigrade;
class DocumentCopy;
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
// Writes a copy taken of a scene the same way; returns the failure.
FileFailure SaveDocumentCopy(const std::filesystem::path& path, const DocumentCopy& copy,
                             const AtomicWriteOptions& options);
