// Helpers of the exchange tests.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "exchange/loader_mqo.h"
#include "scene/centigrade.h"
#include "support/test_files.h"

// Imports `text` as a ".mqo" document into `scene`.
MqoImport ImportText(CCentigrade& scene, std::string_view text);

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
