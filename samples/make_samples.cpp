// quorvel-make-samples FOLDER: writes the sample scene as sample.mqo and
// sample.qvl, with the floor's texture, into FOLDER (scripts/make-samples).
#include <cstdio>
#include <filesystem>

#include "exchange/mqo_writer.h"
#include "samples/sample_scene.h"
#include "scene/atomic_file.h"
#include "scene/document_error.h"
#include "scene/native_document.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvel-make-samples FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const CCentigrade scene = MakeSampleScene();
    if (const FileFailure failure =
            WriteFileAtomically(folder / kSampleTextureName, SampleTextureBmp())) {
        std::fprintf(stderr, "quorvel-make-samples: %s\n", failure.Message().c_str());
        return 1;
    }
    try {
        SaveMQO(scene, folder / "sample.mqo");
        SaveNativeDocument(folder / "sample.qvl", scene);
    } catch (const DocumentError& e) {
        std::fprintf(stderr, "quorvel-make-samples: %s\n", e.what());
        return 1;
    }
    return 0;
}
