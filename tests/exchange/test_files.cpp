#include "test_files.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <sstream>

TempFolder::TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quorvel-exchange-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::filesystem::path TempFolder::Write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path file = path / name;
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

CCentigrade::MqoImport ImportText(CCentigrade& scene, std::string_view text) {
    TempFolder folder;
    CCentigrade::MqoImport outcome;
    scene.LoadMQO(folder.Write("test.mqo", text), &outcome);
    EXPECT_EQ(outcome.failure, "");
    return outcome;
}

CommaDecimalLocale::CommaDecimalLocale() {
    previous = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            active = std::localeconv()->decimal_point[0] == ',';
            return;
        }
    }
}

CommaDecimalLocale::~CommaDecimalLocale() {
    std::setlocale(LC_NUMERIC, previous.c_str());
}
