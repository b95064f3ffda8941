#include "selection_reference.h"

#include <vector>

namespace {

void WalkOn(CModel& model, std::vector<bool>& onBelt, int start, int previous, int a, int b,
            bool state) {
    for (std::size_t i = 0; i < model.faces.size(); ++i) {
        const int face = static_cast<int>(i);
        if (face == start || face == previous || onBelt[i]) {
            continue;
        }
        CFace& f = model.faces[i];
        int count = 0;
        int positions[2] = {-1, -1};
        for (std::size_t k = 0; k < f.indices.size(); ++k) {
            if (f.indices[k] == a || f.indices[k] == b) {
                if (count < 2) {
                    positions[count] = static_cast<int>(k);
                }
                ++count;
            }
        }
        if (count != 2) {
            continue;
        }
        onBelt[i] = true;
        for (std::size_t k = 0; k < f.edgeSelected.size(); ++k) {
            f.edgeSelected[k] = state;
        }
        if (f.indices.size() != 4) {
            continue;
        }
        int next[2];
        if (positions[0] == 0 && positions[1] == 1) {
            next[0] = 2;
            next[1] = 3;
        } else if (positions[0] == 1 && positions[1] == 2) {
            next[0] = 3;
            next[1] = 0;
        } else if (positions[0] == 2 && positions[1] == 3) {
            next[0] = 0;
            next[1] = 1;
        } else if (positions[0] == 0 && positions[1] == 3) {
            next[0] = 1;
            next[1] = 2;
        } else {
            continue;
        }
        WalkOn(model, onBelt, start, face, f.indices[static_cast<std::size_t>(next[0])],
               f.indices[static_cast<std::size_t>(next[1])], state);
    }
}

}  // namespace

void LiteralFloodFromVertex(CModel& model, int key, bool state) {
    for (std::size_t p = 0; p < model.faces.size(); ++p) {
        if (model.faces[p].visited) {
            continue;
        }
        for (std::size_t i = 0; i < model.faces[p].indices.size(); ++i) {
            if (model.faces[p].indices[i] != key) {
                continue;
            }
            model.faces[p].selected = state;
            model.faces[p].visited = true;
            for (std::size_t j = 0; j < model.faces[p].indices.size(); ++j) {
                model.faces[p].edgeSelected[j] = state;
                if (model.faces[p].indices[j] != key) {
                    LiteralFloodFromVertex(model, model.faces[p].indices[j], state);
                }
            }
        }
    }
}

void LiteralFloodSelect(CModel& model, int face, bool state) {
    for (CFace& f : model.faces) {
        f.visited = false;
    }
    const auto corners = model.faces[static_cast<std::size_t>(face)].indices;
    for (int v : corners) {
        LiteralFloodFromVertex(model, v, state);
    }
}

void LiteralSelectRing(CModel& model, int face, int edge, bool state) {
    CFace& f = model.faces[static_cast<std::size_t>(face)];
    for (std::size_t k = 0; k < f.edgeSelected.size(); ++k) {
        f.edgeSelected[k] = state;
    }
    if (f.indices.size() < 4) {
        return;
    }
    std::vector<bool> onBelt(model.faces.size(), false);
    onBelt[static_cast<std::size_t>(face)] = true;
    const auto c = [&f, edge](int offset) {
        return f.indices[static_cast<std::size_t>((edge + offset) % 4)];
    };
    WalkOn(model, onBelt, face, face, c(0), c(1), state);
    WalkOn(model, onBelt, face, face, c(2), c(3), state);
}

// The walk comes from `previous`, so that face counts as on the belt.
void LiteralWalkBelt(CModel& model, int start, int previous, int a, int b, bool state) {
    std::vector<bool> onBelt(model.faces.size(), false);
    onBelt[static_cast<std::size_t>(start)] = true;
    onBelt[static_cast<std::size_t>(previous)] = true;
    WalkOn(model, onBelt, start, previous, a, b, state);
}
