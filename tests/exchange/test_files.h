// Temporary files and folders for the exchange tests, removed afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "scene/centigrade.h"

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path; }
    // Writes `bytes` to `name` inside the folder and returns its path.
    std::filesystem::path Write(const std::string& name, std::string_view bytes) const;

private:
    std::filesystem::path path;
};

std::string ReadFile(const std::filesystem::path& path);

// Imports `text` as a ".mqo" document into `scene`.
CCentigrade::MqoImport ImportText(CCentigrade& scene, std::string_view text);

// The header every test document starts with, CR LF line ends.
inline constexpr std::string_view kHeader = "Metasequoia Document\r\nFormat Text Ver 1.0\r\n";

// Switches LC_NUMERIC to a locale whose decimal separator is a comma for the
// lifetime of the object; Active() is false when no such locale is installed.
class CommaDecimalLocale {
public:
    CommaDecimalLocale();
    ~CommaDecimalLocale();
    bool Active() const { return active; }

private:
    std::string previous;
    bool active = false;
};
