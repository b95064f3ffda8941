// quorvel-make-grid CELLS OUT: writes a CELLS × CELLS quad grid document
// (.qvl, or any format the document writer knows by extension).
#include <cstdio>
#include <cstdlib>

#include "exchange/document_files.h"
#include "support/mesh_generators.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: quorvel-make-grid CELLS OUT\n");
        return 2;
    }
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(std::atoi(argv[1]), 10.0f));
    try {
        SaveDocumentFile(argv[2], scene);
    } catch (const DocumentError& e) {
        std::fprintf(stderr, "quorvel-make-grid: %s\n", e.what());
        return 1;
    }
    return 0;
}
