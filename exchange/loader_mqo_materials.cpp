// The Material chunk: one material per line, a name followed by attributes
// of the form keyword(values).
#include <string>
#include <string_view>

#include "exchange/loader_mqo.h"
#include "scene/centigrade.h"

namespace {

// `tokens` counts the keyword, both parentheses and the values between them.
struct MaterialAttribute {
    std::string_view keyword;
    int tokens;
    float CMaterial::*number = nullptr;
    std::string CMaterial::*text = nullptr;
};

constexpr MaterialAttribute kAttributes[] = {
    {"shader", 4},
    {"dbls", 4},
    {"uid", 4},
    {"col", 7},
    {"dif", 4, &CMaterial::diffuse},
    {"amb", 4, &CMaterial::ambient},
    {"spc", 4, &CMaterial::specular},
    {"emi", 4, &CMaterial::emissive},
    {"power", 4, &CMaterial::power},
    {"tex", 4, nullptr, &CMaterial::texture},
    {"aplane", 4, nullptr, &CMaterial::alphaPlane},
    {"bump", 4, nullptr, &CMaterial::bump},
};

}  // namespace

int LoaderMQO::ReadMaterials() {
    return ReadChunkLines([&](int) {
        CMaterial material;
        material.name = SceneText(lines.Token(0));
        ReadAttributes(material);
        material.id = scene.materialSerial++;
        scene.materials.push_back(std::move(material));
        return 0;
    });
}

// A malformed known attribute abandons the rest of the line; an unknown one is
// passed over up to its closing parenthesis. The material is kept either way.
void LoaderMQO::ReadAttributes(CMaterial& material) {
    const int n = lines.Count();
    int p = 1;
    while (p < n) {
        const MaterialAttribute* known = nullptr;
        for (const MaterialAttribute& a : kAttributes) {
            if (p + a.tokens <= n && lines.Is(p, a.keyword)) {
                known = &a;
                break;
            }
        }
        if (!known) {
            if (!lines.Is(p + 1, "(")) {
                return;
            }
            int close = p + 2;
            while (close < n && !lines.Is(close, ")")) {
                ++close;
            }
            p = close + 1;
            continue;
        }
        if (!lines.Is(p + 1, "(") || !lines.Is(p + known->tokens - 1, ")")) {
            return;
        }
        if (known->keyword == "col") {
            material.red = Number(p + 2);
            material.green = Number(p + 3);
            material.blue = Number(p + 4);
            material.alpha = Number(p + 5);
        } else if (known->number) {
            material.*known->number = Number(p + 2);
        } else if (known->text) {
            material.*known->text = SceneText(lines.Token(p + 2));
            if (known->text == &CMaterial::texture && loadTexture) {
                loadTexture(material);
            }
        }
        p += known->tokens;
    }
}
