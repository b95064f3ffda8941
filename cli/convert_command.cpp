#include "cli/commands.h"
#include "exchange/document_files.h"
#include "exchange/loader_mqo.h"
#include "scene/centigrade.h"

int RunConvert(const Arguments& args) {
    if (args.size() != 2) {
        return Fail(2, "usage: quorvel-cli convert IN OUT");
    }
    CCentigrade scene;
    try {
        DocumentLoadResult loaded = OpenDocumentFile(args[0], scene);
        ReportTextureFailures(loaded.textureFailures);
        if (loaded.importResult != 0) {
            return Fail(1, args[0] + ": read stopped early (import result " +
                               std::to_string(loaded.importResult) + ", " +
                               std::string(MqoResultText(loaded.importResult)) +
                               "); nothing written");
        }
        SaveDocumentFile(args[1], scene);
    } catch (const DocumentError& e) {
        return Fail(1, e.what());
    }
    return 0;
}
