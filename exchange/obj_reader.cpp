#include "exchange/obj_reader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "exchange/c_numbers.h"
#include "exchange/mtl_reader.h"
#include "exchange/obj_text.h"
#include "exchange/utf8_names.h"
#include "scene/centigrade.h"

namespace {

constexpr std::uint32_t kNoUvs = UINT32_MAX;

// An OBJ index (1 is the first element, -1 the last one read so far) as a
// zero-based index; false when the word is not a number or names no element.
bool ResolveIndex(std::string_view word, std::size_t count, int& index) {
    std::size_t p = 0;
    const bool negative = !word.empty() && word[0] == '-';
    p += !word.empty() && (word[0] == '-' || word[0] == '+');
    if (p == word.size()) {
        return false;
    }
    std::int64_t value = 0;
    for (; p < word.size(); ++p) {
        if (!c_numbers_detail::IsDigit(word[p])) {
            return false;
        }
        value = std::min<std::int64_t>(value * 10 + (word[p] - '0'), std::int64_t{1} << 40);
    }
    const std::int64_t resolved = negative ? static_cast<std::int64_t>(count) - value : value - 1;
    if (value == 0 || resolved < 0 || resolved >= static_cast<std::int64_t>(count)) {
        return false;
    }
    index = static_cast<int>(resolved);
    return true;
}

// A face waiting for its object to end: its corners (already in Quorvel's
// order) are global indices in the reader's corner lists.
struct PendingFace {
    std::uint32_t firstCorner;
    std::uint32_t corners;
    std::uint32_t firstUv;  // kNoUvs when the face has no texture coordinates
    int material;
};

struct Position {
    float x, y, z;
};

}  // namespace

struct ObjReader::State {
    State(CCentigrade& scene, LibrarySource libraries,
          const std::function<void(CMaterial&)>& loadTexture)
        : scene(scene), libraries(std::move(libraries)), loadTexture(loadTexture) {}

    float Number(double value);
    void Vertex(std::string_view rest);
    void TextureCoordinate(std::string_view rest);
    void Face(std::string_view rest);
    void Polyline(std::string_view rest);
    void AddPiece(const int* corners, std::size_t count, bool withUvs);
    void StartObject(std::string_view rest, bool fromO);
    void UseMaterial(std::string_view rest);
    void ReadLibraries(std::string_view rest);
    bool ReadLibrary(std::string_view name);
    int CurrentMaterial();
    int AddMaterial(CMaterial material);
    void FinishObject();

    CCentigrade& scene;
    LibrarySource libraries;
    const std::function<void(CMaterial&)>& loadTexture;
    ObjImport outcome;

    std::vector<Position> positions;
    std::vector<CUV> uvs;
    std::unordered_map<std::string, int> materialIds;  // by name, the first of each name
    std::unordered_set<std::string> librariesRead;
    // Names no library was found under: each is looked for once.
    std::unordered_set<std::string> librariesMissing;
    int material = -1;  // the id "usemtl" chose, or -1 before any
    int defaultMaterial = -1;

    // The object being read.
    std::string name = "Model";
    bool namedByO = false;
    std::vector<int> cornerVertices;
    std::vector<int> cornerUvs;
    std::vector<PendingFace> faces;

    // Scratch of one face line and of the end of an object.
    std::vector<int> polygon;
    std::vector<int> polygonUvs;
    std::vector<int> order;
    std::vector<int> localIndex;
    std::vector<std::uint32_t> stamp;
    std::uint32_t objectNumber = 0;
};

// "nan", "inf" and numbers beyond the float range become 0 and count as
// repairs, so no scene holds a number that is not finite.
float ObjReader::State::Number(double value) {
    const auto number = static_cast<float>(value);
    if (std::isfinite(number)) {
        return number;
    }
    ++outcome.repairs;
    return 0.0f;
}

void ObjReader::State::Vertex(std::string_view rest) {
    Position p{};
    p.x = Number(ParseCDouble(NextObjWord(rest)));
    p.y = Number(ParseCDouble(NextObjWord(rest)));
    p.z = Number(ParseCDouble(NextObjWord(rest)));
    positions.push_back(p);
}

void ObjReader::State::TextureCoordinate(std::string_view rest) {
    CUV uv;
    uv.u = Number(ParseCDouble(NextObjWord(rest)));
    uv.v = Number(1.0 - ParseCDouble(NextObjWord(rest)));
    uvs.push_back(uv);
}

void ObjReader::State::Face(std::string_view rest) {
    polygon.clear();
    polygonUvs.clear();
    bool broken = false;
    bool allUvs = true;
    for (std::string_view word = NextObjWord(rest); !word.empty(); word = NextObjWord(rest)) {
        const std::size_t slash = word.find('/');
        int v = 0;
        broken |= !ResolveIndex(word.substr(0, slash), positions.size(), v);
        int t = -1;
        if (slash != std::string_view::npos) {
            std::string_view after = word.substr(slash + 1);
            after = after.substr(0, after.find('/'));
            if (!after.empty()) {
                broken |= !ResolveIndex(after, uvs.size(), t);
            }
        }
        allUvs &= t >= 0;
        polygon.push_back(v);
        polygonUvs.push_back(t);
    }
    const std::size_t n = polygon.size();
    if (broken || n < 2) {
        ++outcome.repairs;
        return;
    }
    if (n <= 4) {
        const int corners[4] = {0, 1, 2, 3};
        AddPiece(corners, n, allUvs);
        return;
    }
    // A fan from the first corner: quads while two corners remain, then a triangle.
    ++outcome.conversions;
    std::size_t i = 1;
    for (; i + 2 < n; i += 2) {
        const int corners[4] = {0, static_cast<int>(i), static_cast<int>(i + 1),
                                static_cast<int>(i + 2)};
        AddPiece(corners, 4, allUvs);
    }
    if (i + 1 < n) {
        const int corners[3] = {0, static_cast<int>(i), static_cast<int>(i + 1)};
        AddPiece(corners, 3, allUvs);
    }
}

// `corners` are positions in the current polygon, in the file's order; they
// are stored first corner first, the rest reversed.
void ObjReader::State::AddPiece(const int* corners, std::size_t count, bool withUvs) {
    PendingFace face{};
    face.firstCorner = static_cast<std::uint32_t>(cornerVertices.size());
    face.corners = static_cast<std::uint32_t>(count);
    face.firstUv = withUvs ? static_cast<std::uint32_t>(cornerUvs.size()) : kNoUvs;
    face.material = CurrentMaterial();
    for (std::size_t k = 0; k < count; ++k) {
        const auto c = static_cast<std::size_t>(corners[k == 0 ? 0 : count - k]);
        cornerVertices.push_back(polygon[c]);
        if (withUvs) {
            cornerUvs.push_back(polygonUvs[c]);
        }
    }
    faces.push_back(face);
}

// Each segment of a polyline becomes a two-corner face.
void ObjReader::State::Polyline(std::string_view rest) {
    polygon.clear();
    bool broken = false;
    for (std::string_view word = NextObjWord(rest); !word.empty(); word = NextObjWord(rest)) {
        int v = 0;
        broken |= !ResolveIndex(word.substr(0, word.find('/')), positions.size(), v);
        polygon.push_back(v);
    }
    if (broken || polygon.size() < 2) {
        ++outcome.repairs;
        return;
    }
    outcome.conversions += polygon.size() > 2;
    for (std::size_t i = 0; i + 1 < polygon.size(); ++i) {
        const int corners[2] = {static_cast<int>(i), static_cast<int>(i + 1)};
        AddPiece(corners, 2, false);
    }
}

void ObjReader::State::StartObject(std::string_view rest, bool fromO) {
    const std::string_view given = TrimObjBlanks(rest);
    if (!faces.empty()) {
        FinishObject();
        name = "Model";
        namedByO = false;
    }
    // A group inside a named object ("o" then "g", as some exporters write
    // one group per material) does not rename it.
    if (!given.empty() && (fromO || !namedByO)) {
        name = ForeignNameToCp932(given, outcome.repairs);
        namedByO = fromO;
    }
}

void ObjReader::State::UseMaterial(std::string_view rest) {
    const std::string materialName = ForeignNameToCp932(TrimObjBlanks(rest), outcome.repairs);
    if (auto found = materialIds.find(materialName); found != materialIds.end()) {
        material = found->second;
        return;
    }
    CMaterial named;
    named.name = materialName;
    material = AddMaterial(std::move(named));
}

// "mtllib" names one or more files; a single name may hold blanks.
void ObjReader::State::ReadLibraries(std::string_view rest) {
    if (!libraries) {
        return;
    }
    const std::string_view whole = TrimObjBlanks(rest);
    if (whole.empty() || ReadLibrary(whole)) {
        return;
    }
    for (std::string_view word = NextObjWord(rest); !word.empty(); word = NextObjWord(rest)) {
        if (word.size() < whole.size()) {
            ReadLibrary(word);
        }
    }
}

bool ObjReader::State::ReadLibrary(std::string_view libraryName) {
    const std::string name(libraryName);
    if (librariesRead.contains(name)) {
        return true;
    }
    if (librariesMissing.contains(name)) {
        return false;
    }
    std::optional<std::string> text = libraries(libraryName);
    if (!text) {
        librariesMissing.insert(name);
        return false;
    }
    librariesRead.insert(name);
    for (CMaterial& m : ParseMaterialLibrary(*text, outcome.repairs)) {
        if (!m.texture.empty() && loadTexture) {
            loadTexture(m);
        }
        AddMaterial(std::move(m));
    }
    return true;
}

int ObjReader::State::AddMaterial(CMaterial m) {
    m.id = scene.materialSerial++;
    materialIds.emplace(m.name, m.id);
    scene.materials.push_back(std::move(m));
    return scene.materials.back().id;
}

// Faces before any "usemtl" take a default material, made when first needed.
int ObjReader::State::CurrentMaterial() {
    if (material >= 0) {
        return material;
    }
    if (defaultMaterial < 0) {
        const int id = scene.materialSerial++;
        scene.materials.emplace_back(id);
        defaultMaterial = id;
    }
    return defaultMaterial;
}

// The object gets the vertices its faces use, in the file's order.
void ObjReader::State::FinishObject() {
    if (faces.empty()) {
        return;
    }
    ++objectNumber;
    stamp.resize(positions.size(), 0);
    localIndex.resize(positions.size(), 0);
    order.clear();
    int lowest = INT_MAX;
    int highest = 0;
    for (int g : cornerVertices) {
        auto& s = stamp[static_cast<std::size_t>(g)];
        if (s != objectNumber) {
            s = objectNumber;
            order.push_back(g);
            lowest = std::min(lowest, g);
            highest = std::max(highest, g);
        }
    }
    // Dense ranges (the usual case: each object's vertices together) are
    // walked; scattered ones sorted.
    if (static_cast<std::size_t>(highest - lowest) / 4 < order.size()) {
        order.clear();
        for (int g = lowest; g <= highest; ++g) {
            if (stamp[static_cast<std::size_t>(g)] == objectNumber) {
                order.push_back(g);
            }
        }
    } else {
        std::sort(order.begin(), order.end());
    }

    CModel model;
    model.name = name;
    model.vertices.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto g = static_cast<std::size_t>(order[i]);
        localIndex[g] = static_cast<int>(i);
        model.vertices.emplace_back(positions[g].x, positions[g].y, positions[g].z);
    }
    model.faces.resize(faces.size());
    for (std::size_t r = 0; r < faces.size(); ++r) {
        const PendingFace& pending = faces[r];
        CFace& f = model.faces[r];
        f.material = pending.material;
        f.indices.resize(pending.corners);
        f.edgeSelected.resize(pending.corners, false);
        for (std::uint32_t k = 0; k < pending.corners; ++k) {
            f.indices[k] =
                localIndex[static_cast<std::size_t>(cornerVertices[pending.firstCorner + k])];
        }
        if (pending.firstUv != kNoUvs) {
            f.uvs.resize(pending.corners);
            for (std::uint32_t k = 0; k < pending.corners; ++k) {
                f.uvs[k] = uvs[static_cast<std::size_t>(cornerUvs[pending.firstUv + k])];
            }
        }
    }
    model.id = ++scene.modelSerial;
    scene.models.push_back(std::move(model));
    faces.clear();
    cornerVertices.clear();
    cornerUvs.clear();
}

ObjReader::ObjReader(CCentigrade& scene, LibrarySource libraries)
    : state(std::make_unique<State>(scene, std::move(libraries), loadTexture)) {}

ObjReader::~ObjReader() = default;

void ObjReader::ReadLine(std::string_view line) {
    State& s = *state;
    // The bulk of every file: vertices and faces, tested before the rest.
    if (line.size() > 1 && IsObjBlank(line[1])) {
        if (line[0] == 'v') {
            s.Vertex(line.substr(2));
            return;
        }
        if (line[0] == 'f') {
            s.Face(line.substr(2));
            return;
        }
    }
    std::string_view rest = line;
    const std::string_view keyword = NextObjWord(rest);
    if (keyword == "v") {
        s.Vertex(rest);
    } else if (keyword == "vt") {
        s.TextureCoordinate(rest);
    } else if (keyword == "f") {
        s.Face(rest);
    } else if (keyword == "l") {
        s.Polyline(rest);
    } else if (keyword == "o" || keyword == "g") {
        s.StartObject(rest, keyword == "o");
    } else if (keyword == "usemtl") {
        s.UseMaterial(rest);
    } else if (keyword == "mtllib") {
        s.ReadLibraries(rest);
    }
}

ObjImport ObjReader::Finish() {
    state->FinishObject();
    return state->outcome;
}

ObjImport ImportObjText(CCentigrade& scene, std::string_view text,
                        ObjReader::LibrarySource libraries) {
    ObjReader reader(scene, std::move(libraries));
    ForEachObjLine(text, [&reader](std::string_view line) { reader.ReadLine(line); });
    return reader.Finish();
}
