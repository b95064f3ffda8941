// What saving a scene in a file format leaves behind, said in one line so the
// user knows before relying on the file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "exchange/document_formats.h"

class CCentigrade;

enum class NoticeLanguage { Japanese, English };

// The notice for saving `scene` as `target` (format by extension), or an
// empty string when that format keeps everything this scene holds.
std::string FormatLossNotice(const std::filesystem::path& target, const CCentigrade& scene,
                             NoticeLanguage language);

// What each format drops of `scene`, for the format table.
std::vector<FormatLoss> ObjLosses(const CCentigrade& scene);
std::vector<FormatLoss> MetasequoiaLosses(const CCentigrade& scene);
std::vector<FormatLoss> StlLosses(const CCentigrade& scene);
std::vector<FormatLoss> GlbLosses(const CCentigrade& scene);
