// What saving a scene in a file format leaves behind, said in one line so the
// user knows before relying on the file.
#pragma once

#include <filesystem>
#include <string>

class CCentigrade;

enum class NoticeLanguage { Japanese, English };

// The notice for saving `scene` as `target` (format by extension), or an
// empty string when that format keeps everything this scene holds.
std::string FormatLossNotice(const std::filesystem::path& target, const CCentigrade& scene,
                             NoticeLanguage language);
