// quorvel-cli: the modeler's documents and textures without a window.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "exchange/mqoz_folder.h"
#include "exchange/shown_names.h"
#include "image/image_status.h"
#include "scene/centigrade.h"
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
    {"convert",
     "convert IN OUT                    load IN, save OUT (.qvl .mqo .mqoz .obj .stl .glb)",
     RunConvert},
    {"textures", "textures FILE [--json]            texture files per material", RunTextures},
    {"decode", "decode IMAGE OUT                  decode a texture as the modeler does", RunDecode},
    {"render",
     "render FILE OUT.png [--size WxH] [--view front|back|side|opposite|top|bottom|iso|document]\n"
     "                    [--show vertices,edges,faces,axis] [--select-all]\n"
     "                                    draw the document as the 3D view does, offscreen",
     RunRender},
    {"run",
     "run IN OUT SCRIPT.jsonl [--dump]  apply a script of commands to IN, save OUT;\n"
     "                                    --dump prints the scene after each command",
     RunScript},
    {"commands", "commands                          the commands a script can run", ListCommands},
};

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: quorvel-cli COMMAND ...\n");
    for (const Command& c : kCommands) {
        std::fprintf(out, "  quorvel-cli %s\n", c.usage);
    }
    std::fprintf(out,
                 "  quorvel-cli --help                 this list\n"
                 "  quorvel-cli --version              the program's version\n"
                 "Exit status: 0 success, 1 a file could not be read or written, 2 a usage "
                 "error.\n");
}

int Usage() {
    PrintUsage(stderr);
    return 2;
}

}  // namespace

CCentigrade& CommandScene() {
    static CCentigrade* const scene = new CCentigrade;
    return *scene;
}

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "quorvel-cli: %s\n", EscapeControlCharacters(message).c_str());
    return status;
}

void ReportTextureFailures(const std::vector<TextureFailure>& failures) {
    for (const TextureFailure& f : failures) {
        std::string where = "\"" + Cp932ToUtf8(f.texture) + "\"";
        if (!f.status.file.empty()) {
            where += " (" + f.status.file.string() + ")";
        }
        std::fprintf(stderr, "quorvel-cli: テクスチャファイルの読み込みに失敗しました: %s: %s\n",
                     EscapeControlCharacters(where).c_str(),
                     EscapeControlCharacters(DescribeImageStatus(f.status)).c_str());
    }
}

int main(int argc, char** argv) {
    SetMessageSink([](const std::string& message) {
        std::fprintf(stderr, "quorvel-cli: %s\n", EscapeControlCharacters(message).c_str());
    });
    // Archives a killed run was unpacking; the thumbnailer runs often.
    RemoveStaleArchiveFolders();
    if (argc < 2) {
        return Usage();
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        PrintUsage(stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("quorvel-cli %s\n", QUORVEL_VERSION);
        return 0;
    }
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0) {
            return c.run(Arguments(argv + 2, argv + argc));
        }
    }
    return Usage();
}
