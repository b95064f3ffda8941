#include "test_files.h"
#include "exchange/loader_mqo.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <sstream>

MqoImport ImportText(CCentigrade& scene, std::string_view text) {
    TempFolder folder;
    return LoadMQO(scene, folder.Write("test.mqo", text));
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
