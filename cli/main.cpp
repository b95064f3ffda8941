// quorvel-cli: the modeler's documents and textures without a window.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "image/image_status.h"
#include "scene/cp932.h"
#include "scene/message_sink.h"

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(const Arguments&);
};

const Command kCommands[] = {
    {"info", "info FILE [--json] [--geometry]   summary of a document", RunInfo},
    {"convert", "convert IN OUT                    load IN, save OUT (format by extension)",
     RunConvert},
    {"textures", "textures FILE                     texture file per material", RunTextures},
    {"decode", "decode IMAGE OUT                  decode a texture as the modeler does", RunDecode},
};

int Usage() {
    std::fprintf(stderr, "usage: quorvel-cli COMMAND ...\n");
    for (const Command& c : kCommands) {
        std::fprintf(stderr, "  quorvel-cli %s\n", c.usage);
    }
    return 2;
}

}  // namespace

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "quorvel-cli: %s\n", message.c_str());
    return status;
}

void ReportTextureFailures(const std::vector<TextureFailure>& failures) {
    for (const TextureFailure& f : failures) {
        std::string where = "\"" + Cp932ToUtf8(f.texture) + "\"";
        if (!f.status.file.empty()) {
            where += " (" + f.status.file.string() + ")";
        }
        std::fprintf(stderr, "quorvel-cli: テクスチャファイルの読み込みに失敗しました: %s: %s\n",
                     where.c_str(), DescribeImageStatus(f.status).c_str());
    }
}

int main(int argc, char** argv) {
    SetMessageSink([](const std::string& message) {
        std::fprintf(stderr, "quorvel-cli: %s\n", message.c_str());
    });
    if (argc < 2) {
        return Usage();
    }
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0) {
            return c.run(Arguments(argv + 2, argv + argc));
        }
    }
    return Usage();
}
