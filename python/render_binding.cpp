// quorvel.render: a scene drawn as the 3D view draws it, offscreen through
// EGL, by the view's own renderer (as quorvel-cli render draws).
#include <pybind11/stl/filesystem.h>

#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "cli/offscreen_context.h"
#include "cli/view_framing.h"
#include "image/dib_stream.h"
#include "image/png_writer.h"
#include "python/bindings.h"
#include "render/scene_renderer.h"
#include "scene/atomic_file.h"
#include "scene/document_error.h"
#include "view/scene_framing.h"

namespace {

constexpr int kMaxSide = 8192;
// Part of the picture's smaller extent the scene fills when framed, as the
// render command frames it.
constexpr double kRenderFill = 0.85;

// A drawing could not be made: no EGL, no context, no picture.
class RenderFailure : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ShownElements {
    bool vertices = false;
    bool edges = false;
    bool faces = false;
    bool axis = false;
};

ShownElements ParseShow(const std::vector<std::string>& names) {
    ShownElements shown;
    for (const std::string& name : names) {
        if (name == "vertices") {
            shown.vertices = true;
        } else if (name == "edges") {
            shown.edges = true;
        } else if (name == "faces") {
            shown.faces = true;
        } else if (name == "axis") {
            shown.axis = true;
        } else {
            throw std::invalid_argument("show: unknown element \"" + name +
                                        "\" (vertices, edges, faces, axis)");
        }
    }
    return shown;
}

// The view settings a drawing changes, put back when it is done: drawing
// leaves the scene as it was.
class ViewSettingsKept {
public:
    explicit ViewSettingsKept(CCentigrade& scene)
        : scene_(scene),
          camera_(scene.camera),
          zoom_(scene.zoom),
          viewWidth_(scene.viewWidth),
          viewHeight_(scene.viewHeight),
          shown_{scene.showVertices, scene.showEdges, scene.showFaces, scene.showAxis} {}
    ~ViewSettingsKept() {
        scene_.camera = camera_;
        scene_.zoom = zoom_;
        scene_.viewWidth = viewWidth_;
        scene_.viewHeight = viewHeight_;
        scene_.showVertices = shown_.vertices;
        scene_.showEdges = shown_.edges;
        scene_.showFaces = shown_.faces;
        scene_.showAxis = shown_.axis;
    }
    ViewSettingsKept(const ViewSettingsKept&) = delete;
    ViewSettingsKept& operator=(const ViewSettingsKept&) = delete;

private:
    CCentigrade& scene_;
    CAnimation camera_;
    float zoom_;
    float viewWidth_;
    float viewHeight_;
    ShownElements shown_;
};

std::vector<std::uint8_t> DrawPng(CCentigrade& scene, int width, int height,
                                  const std::string& view,
                                  const std::optional<ShownElements>& shown) {
    const ViewSettingsKept kept(scene);
    scene.viewWidth = static_cast<float>(width);
    scene.viewHeight = static_cast<float>(height);
    SetNamedView(scene, view);
    if (shown) {
        scene.showVertices = shown->vertices;
        scene.showEdges = shown->edges;
        scene.showFaces = shown->faces;
        scene.showAxis = shown->axis;
    }
    if (view != "document") {
        FrameWholeScene(scene, kRenderFill);
    }
    // One EGL display serves the process; drawings take turns on it.
    static std::mutex eglTurn;
    const std::lock_guard turn(eglTurn);
    OffscreenContext context;
    if (const std::string reason = context.Create(width, height); !reason.empty()) {
        throw RenderFailure("cannot draw offscreen: " + reason);
    }
    SceneRenderer renderer;
    renderer.CreateContext(scene);
    renderer.Draw(scene, width, height);
    DibStream picture;
    const bool read = context.Read(picture);
    renderer.ReleaseContext();
    if (!read) {
        throw RenderFailure("cannot read the drawn picture back");
    }
    std::vector<std::uint8_t> png = EncodePNG(picture);
    if (png.empty()) {
        throw RenderFailure("cannot encode the picture");
    }
    return png;
}

void Render(const SceneRef& scene, const std::filesystem::path& path,
            const std::pair<int, int>& size, const std::string& view,
            const std::optional<std::vector<std::string>>& show) {
    const auto [width, height] = size;
    if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide) {
        throw std::invalid_argument("size: each side from 1 to " + std::to_string(kMaxSide));
    }
    if (CCentigrade probe; !SetNamedView(probe, view)) {
        throw std::invalid_argument("view: unknown view \"" + view +
                                    "\" (front, back, side, opposite, top, bottom, iso, document)");
    }
    std::optional<ShownElements> shown;
    if (show) {
        shown = ParseShow(*show);
    }
    std::unique_lock lock(scene->Mutex());
    RunReleased(lock, [&] {
        scene->SettleViews();
        scene->UpdateNormals();
        const std::vector<std::uint8_t> png = DrawPng(scene->Records(), width, height, view, shown);
        if (FileFailure failure = WriteFileAtomically(path, png)) {
            throw DocumentError(path, std::move(failure));
        }
    });
}

}  // namespace

void BindRender(py::module_& module) {
    py::register_exception<RenderFailure>(module, "RenderError", PyExc_RuntimeError)
        .attr("__doc__") = "A drawing could not be made (no EGL, no OpenGL context, no picture).";
    module.def("render", &Render, py::arg("scene"), py::arg("path"),
               py::arg("size") = std::make_pair(512, 512), py::arg("view") = "document",
               py::arg("show") = py::none(), R"doc(
Draws `scene` as the modeler's 3D view draws it and writes a PNG to `path`,
offscreen through EGL (Mesa's surfaceless platform: no display needed).

size: (width, height) in pixels, 1 to 8192 each.
view: "document" (the scene's own camera and zoom), or "front", "back",
      "side", "opposite", "top", "bottom", "iso", each framing the whole scene.
show: the elements to draw, from "vertices", "edges", "faces", "axis"; None:
      the scene's own display settings.
The scene is left as it was. Raises RenderError when EGL or OpenGL is not
available, DocumentError when the file cannot be written. Releases the
interpreter's lock while drawing.)doc");
}
