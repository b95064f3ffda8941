#include <cstdio>
#include "cli/commands.h"

#include "exchange/document_files.h"
#include "exchange/format_losses.h"
#include "exchange/loader_mqo.h"
#include "scene/centigrade.h"

int RunConvert(const Arguments& args) {
    if (args.size() != 2) {
        return Fail(2, "usage: quorvel-cli convert IN OUT");
    }
    CCentigrade& scene = CommandScene();
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
        if (const std::string notice = FormatLossNotice(args[1], scene, NoticeLanguage::English);
            !notice.empty()) {
            std::fprintf(stderr, "quorvel-cli: %s: %s\n", args[1].c_str(), notice.c_str());
        }
    } catch (const DocumentError& e) {
        return Fail(1, e.what());
    }
    return 0;
}
