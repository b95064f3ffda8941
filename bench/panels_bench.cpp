// The side lists rebuilt for a replaced document with 1,000 entries, each rebuild followed
// by a synchronous repaint of the visible rows, as a user sees it. Needs a
// display: run under xvfb-run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "document/quorvel_document.h"
#include "panels/material_view.h"
#include "panels/model_view.h"

namespace {

constexpr int kEntries = 1000;

void FillMaterials(CCentigrade& scene) {
    for (int i = 0; i < kEntries; ++i) {
        CMaterial material(i);
        material.name = "material " + std::to_string(i);
        material.red = static_cast<float>(i % 100) / 100.0f;
        scene.materials.push_back(material);
    }
}

void FillModels(CCentigrade& scene) {
    for (int i = 0; i < kEntries; ++i) {
        CModel model;
        model.name = "object " + std::to_string(i);
        model.state = i % 4;
        scene.models.push_back(std::move(model));
    }
}

template <typename List>
void RebuildOnReplace(benchmark::State& state, void (*fill)(CCentigrade&)) {
    CQuorvelDoc doc;
    fill(doc.Scene());
    List list(doc);
    list.resize(200, 800);
    list.show();
    QApplication::processEvents();
    for (auto _ : state) {
        doc.Replaced();
        list.viewport()->repaint();
    }
    state.counters["rows"] = list.model()->rowCount();
}

void BM_MaterialListRebuild1000(benchmark::State& state) {
    RebuildOnReplace<CMaterialView>(state, FillMaterials);
}
BENCHMARK(BM_MaterialListRebuild1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ObjectListRebuild1000(benchmark::State& state) {
    RebuildOnReplace<CModelView>(state, FillModels);
}
BENCHMARK(BM_ObjectListRebuild1000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
