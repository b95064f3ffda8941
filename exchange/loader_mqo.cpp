// The document frame: header, top-level chunks, code page, and the skipping
// of chunks and binary blocks the reader does not know.
#include "exchange/loader_mqo.h"

#include <cmath>
#include <limits>

#include "scene/centigrade.h"
#include "scene/cp932.h"

std::string_view MqoResultText(int code) {
    switch (code) {
        case 0:
            return "read completely";
        case MQO_SYNTAX:
            return "damaged structure (a chunk without \"{\", a face without its V group, "
                   "or a binary block that cannot be skipped)";
        case MQO_EOF:
            return "the file ends inside a chunk";
        case MQO_NOT_MQO:
            return "not a Metasequoia document";
        case MQO_BAD_FORMAT:
            return "not a Metasequoia text document of version 1.0 or later";
        default:
            return "unknown result";
    }
}

LoaderMQO::LoaderMQO(CCentigrade& scene, std::FILE* file) : scene(scene), lines(file) {}

int LoaderMQO::Load() {
    const int code = ReadHeader();
    return code != 0 ? code : ReadChunks();
}

int LoaderMQO::ReadHeader() {
    lines.ReadLine();
    if (!lines.Begins("Metasequoia", 2) || !lines.Is(1, "Document")) {
        return MQO_NOT_MQO;
    }
    lines.ReadLine();
    if (!lines.Begins("Format", 4) || !lines.Is(1, "Text") || !lines.Is(2, "Ver") ||
        !(lines.ToFloat(3) >= 1.0)) {
        return MQO_BAD_FORMAT;
    }
    return 0;
}

int LoaderMQO::ReadChunks() {
    for (;;) {
        const int n = lines.ReadLine();
        if (n < 0) {
            return 0;
        }
        if (n == 0) {
            continue;
        }
        int code = 0;
        if (lines.Begins("Material", 2)) {
            if (!lines.Is(n - 1, "{")) {
                return MQO_SYNTAX;
            }
            code = ReadMaterials();
        } else if (lines.Begins("Object", 2)) {
            if (!lines.Is(n - 1, "{")) {
                return MQO_SYNTAX;
            }
            CModel& model = scene.models.emplace_back();
            if (n >= 3) {
                model.name = SceneText(lines.Token(1));
            }
            code = ReadObject(model);
            DropBrokenFaces(model);
            if (code == 0) {
                model.id = ++scene.modelSerial;
            }
        } else if (lines.Begins("CodePage", 2)) {
            SelectCodePage();
        } else {
            code = SkipChunk(n);
        }
        if (code != 0) {
            return code;
        }
    }
}

// Newer documents announce UTF-8 names; the scene keeps code page 932 bytes,
// so those names are converted as they are read.
void LoaderMQO::SelectCodePage() {
    utf8Text = lines.Is(1, "utf8") || lines.Is(1, "65001");
    lines.SetDoubleByteText(!utf8Text);
}

std::string LoaderMQO::SceneText(std::string_view text) {
    if (!utf8Text) {
        return std::string(text);
    }
    int replaced = 0;
    std::string cp932 = Utf8ToCp932(text, &replaced);
    repairs += replaced;
    return cp932;
}

float LoaderMQO::Number(int i) {
    return Narrow(lines.ToFloat(i));
}

float LoaderMQO::Narrow(double value) {
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) {
        ++repairs;
        return 0.0f;
    }
    return static_cast<float>(value);
}

float LoaderMQO::Finite(float value) {
    if (!std::isfinite(value)) {
        ++repairs;
        return 0.0f;
    }
    return value;
}

int LoaderMQO::SkipChunk(int n) {
    if (n >= 1 && lines.Is(n - 1, "{")) {
        int depth = 1;
        while (depth > 0) {
            const int m = lines.ReadLine();
            if (m < 0) {
                return MQO_EOF;
            }
            if (m == 0) {
                continue;
            }
            if (lines.Is(m - 1, "{")) {
                ++depth;
            } else if (lines.Is(m - 1, "}")) {
                --depth;
            } else if (IsBinaryLine(m)) {
                if (const int code = SkipBinary(m); code != 0) {
                    return code;
                }
            }
        }
        return 0;
    }
    if (IsBinaryLine(n)) {
        return SkipBinary(n);
    }
    return 0;
}

bool LoaderMQO::IsBinaryLine(int n) const {
    return n >= 3 && lines.Is(n - 3, "[") && lines.Is(n - 1, "]");
}

// The block starts right after the line feed of the line that announces it.
// A negative size is refused: moving backwards would read the announcing line
// again and again.
int LoaderMQO::SkipBinary(int n) {
    const int size = lines.ToInt(n - 2);
    if (size < 0 || !lines.SkipBytes(static_cast<std::uint64_t>(size))) {
        return MQO_SYNTAX;
    }
    return 0;
}
