#include "exchange/mtl_reader.h"

#include <array>
#include <cmath>
#include <string>

#include "exchange/c_numbers.h"
#include "exchange/obj_text.h"
#include "exchange/utf8_names.h"
#include "scene/ascii.h"

namespace {

// "nan", "inf" and numbers beyond the float range read as 0, a repair.
float Number(std::string_view word, int& repairs) {
    const auto number = static_cast<float>(ParseCDouble(word));
    if (std::isfinite(number)) {
        return number;
    }
    ++repairs;
    return 0.0f;
}

// Up to three numbers; a single one stands for a grey.
std::array<float, 3> Colour(std::string_view rest, int& repairs) {
    std::array<float, 3> rgb{};
    int count = 0;
    for (std::string_view w = NextObjWord(rest); !w.empty() && count < 3; w = NextObjWord(rest)) {
        rgb[static_cast<std::size_t>(count++)] = Number(w, repairs);
    }
    if (count == 1) {
        rgb[1] = rgb[2] = rgb[0];
    }
    return rgb;
}

// A grey (three equal values, as the writer gives) keeps its exact value.
float Mean(const std::array<float, 3>& rgb) {
    if (rgb[0] == rgb[1] && rgb[1] == rgb[2]) {
        return rgb[0];
    }
    const float mean = (rgb[0] + rgb[1] + rgb[2]) / 3.0f;
    // Near the float range the sum overflows where the mean does not.
    return std::isfinite(mean)
               ? mean
               : static_cast<float>((static_cast<double>(rgb[0]) + rgb[1] + rgb[2]) / 3.0);
}

// Map options and how many values each takes; "-o", "-s" and "-t" take one to three.
int OptionValues(std::string_view option) {
    static constexpr std::pair<std::string_view, int> kOptions[] = {
        {"-blendu", 1}, {"-blendv", 1},  {"-bm", 1},     {"-boost", 1}, {"-cc", 1},
        {"-clamp", 1},  {"-imfchan", 1}, {"-texres", 1}, {"-type", 1},  {"-mm", 2},
        {"-o", 3},      {"-s", 3},       {"-t", 3},
    };
    for (const auto& [name, values] : kOptions) {
        if (EqualIgnoringAsciiCase(option, name)) {
            return values;
        }
    }
    return -1;
}

bool LooksNumeric(std::string_view word) {
    return !word.empty() && (c_numbers_detail::IsDigit(word[0]) || word[0] == '-' ||
                             word[0] == '+' || word[0] == '.');
}

// The file name of a map statement: what follows its options, blanks kept.
std::string_view MapFileName(std::string_view rest) {
    for (;;) {
        std::string_view probe = rest;
        const std::string_view word = NextObjWord(probe);
        const int values = word.starts_with('-') ? OptionValues(word) : -1;
        if (values < 0) {
            return TrimObjBlanks(rest);
        }
        rest = probe;
        for (int k = 0; k < values; ++k) {
            probe = rest;
            const std::string_view value = NextObjWord(probe);
            // "-o", "-s" and "-t" take as many numbers as follow, up to three.
            if (value.empty() || (values == 3 && k > 0 && !LooksNumeric(value))) {
                break;
            }
            rest = probe;
        }
    }
}

}  // namespace

std::vector<CMaterial> ParseMaterialLibrary(std::string_view text, int& repairs) {
    std::vector<CMaterial> materials;
    ForEachObjLine(text, [&](std::string_view line) {
        std::string_view rest = line;
        const std::string keyword = LowerAscii(NextObjWord(rest));
        if (keyword == "newmtl") {
            CMaterial& m = materials.emplace_back();
            m.name = ForeignNameToCp932(TrimObjBlanks(rest), repairs);
            return;
        }
        if (materials.empty()) {
            return;
        }
        CMaterial& m = materials.back();
        if (keyword == "kd") {
            const auto rgb = Colour(rest, repairs);
            m.red = rgb[0];
            m.green = rgb[1];
            m.blue = rgb[2];
        } else if (keyword == "d") {
            m.alpha = Number(NextObjWord(rest), repairs);
        } else if (keyword == "tr") {
            m.alpha = 1.0f - Number(NextObjWord(rest), repairs);
        } else if (keyword == "ka") {
            m.ambient = Mean(Colour(rest, repairs));
        } else if (keyword == "ks") {
            m.specular = Mean(Colour(rest, repairs));
        } else if (keyword == "ke") {
            m.emissive = Mean(Colour(rest, repairs));
        } else if (keyword == "ns") {
            m.power = Number(NextObjWord(rest), repairs);
        } else if (keyword == "map_kd") {
            m.texture = ForeignNameToCp932(MapFileName(rest), repairs);
        } else if (keyword == "map_d") {
            m.alphaPlane = ForeignNameToCp932(MapFileName(rest), repairs);
        } else if (keyword == "map_bump" || keyword == "bump") {
            m.bump = ForeignNameToCp932(MapFileName(rest), repairs);
        }
    });
    for (CMaterial& m : materials) {
        m.UpdateColors();
    }
    return materials;
}
