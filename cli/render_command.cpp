// quorvel-cli render FILE OUT.png: the document drawn as the 3D view draws it,
// offscreen, by the view's own renderer.
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/offscreen_context.h"
#include "cli/view_framing.h"
#include "exchange/document_files.h"
#include "exchange/loader_mqo.h"
#include "image/dib_stream.h"
#include "image/png_writer.h"
#include "render/scene_renderer.h"
#include "scene/archive.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"
#include "view/scene_framing.h"

namespace {

constexpr const char* kUsage =
    "usage: quorvel-cli render FILE OUT.png [--size WxH] "
    "[--view front|back|side|opposite|top|bottom|iso|document] "
    "[--show vertices,edges,faces,axis] [--select-all]";
constexpr int kMaxSide = 8192;
// Part of the picture's smaller extent the scene fills, leaving a thumbnail
// a border.
constexpr double kRenderFill = 0.85;

struct RenderOptions {
    std::string input;
    std::string output;
    int width = 512;
    int height = 512;
    std::string view = "iso";
    std::optional<std::string> show;  // unset: the document's own display settings
    bool selectAll = false;
};

bool ParseSide(std::string_view text, int& side) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), side);
    return error == std::errc() && end == text.data() + text.size() && side > 0 && side <= kMaxSide;
}

// "512" is 512 × 512.
bool ParseSize(std::string_view text, int& width, int& height) {
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos) {
        return ParseSide(text, width) && ParseSide(text, height);
    }
    return ParseSide(text.substr(0, x), width) && ParseSide(text.substr(x + 1), height);
}

// The listed elements are shown, the others not; unknown names are refused.
bool ApplyShow(std::string_view list, CCentigrade& scene) {
    scene.showVertices = scene.showEdges = scene.showFaces = scene.showAxis = false;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        if (name == "vertices") {
            scene.showVertices = true;
        } else if (name == "edges") {
            scene.showEdges = true;
        } else if (name == "faces") {
            scene.showFaces = true;
        } else if (name == "axis") {
            scene.showAxis = true;
        } else if (!name.empty()) {
            return false;
        }
        if (comma == std::string_view::npos) {
            return true;
        }
        list.remove_prefix(comma + 1);
    }
}

bool ParseOptions(const Arguments& args, RenderOptions& options) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--size" && hasValue) {
            if (!ParseSize(args[++i], options.width, options.height)) {
                return false;
            }
        } else if (a == "--view" && hasValue) {
            options.view = args[++i];
        } else if (a == "--show" && hasValue) {
            options.show = args[++i];
        } else if (a == "--select-all") {
            options.selectAll = true;
        } else if (a.starts_with("--")) {
            return false;
        } else {
            files.push_back(a);
        }
    }
    // Names are checked before any file is read.
    CCentigrade probe;
    if (files.size() != 2 || !SetNamedView(probe, options.view) ||
        (options.show && !ApplyShow(*options.show, probe))) {
        return false;
    }
    options.input = files[0];
    options.output = files[1];
    return true;
}

void SelectAll(CCentigrade& scene) {
    for (CModel& m : scene.models) {
        for (CVector& v : m.vertices) {
            v.selected = true;
        }
        for (CFace& f : m.faces) {
            f.selected = true;
            f.SetAllEdges(true);
        }
        m.Touch();
    }
}

}  // namespace

int RunRender(const Arguments& args) {
    RenderOptions options;
    if (!ParseOptions(args, options)) {
        return Fail(2, kUsage);
    }
    CCentigrade& scene = CommandScene();
    try {
        // A file that is no document, or a damaged one, gives no picture.
        if (const int result = OpenDocumentFile(options.input, scene).importResult; result != 0) {
            return Fail(
                1, options.input + ": " + std::string(MqoResultText(result)) + "; nothing drawn");
        }
    } catch (const DocumentError& e) {
        return Fail(1, e.what());
    }
    scene.viewWidth = static_cast<float>(options.width);
    scene.viewHeight = static_cast<float>(options.height);
    SetNamedView(scene, options.view);
    if (options.show) {
        ApplyShow(*options.show, scene);
    }
    if (options.view != "document") {
        FrameWholeScene(scene, kRenderFill);
    }
    if (options.selectAll) {
        SelectAll(scene);
    }
    OffscreenContext context;
    if (std::string reason = context.Create(options.width, options.height); !reason.empty()) {
        return Fail(1, "cannot draw offscreen: " + reason);
    }
    SceneRenderer renderer;
    renderer.CreateContext(scene);
    renderer.Draw(scene, options.width, options.height);
    DibStream picture;
    const bool read = context.Read(picture);
    renderer.ReleaseContext();
    if (!read) {
        return Fail(1, "cannot read the drawn picture back");
    }
    const std::vector<std::uint8_t> png = EncodePNG(picture);
    if (png.empty()) {
        return Fail(1, options.output + ": cannot encode the picture");
    }
    if (const FileFailure failure = WriteFileAtomically(options.output, png)) {
        return Fail(1, failure.Message());
    }
    return 0;
}
