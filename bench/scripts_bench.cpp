// Writing and reading back a component script with many file elements:
//   build/bench/scripts_bench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "elements/setup_file.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/temp_folder.h"
#include "script/creator_manager.h"

namespace {

using namespace vantrel;

// A project of "Product" and "Program_files" with `count` files.
std::unique_ptr<WCreatorManager> MakeProject(int64_t count) {
    auto m = std::make_unique<WCreatorManager>();
    WSetupComponent* product = m->Add("Product", 0);
    WSetupComponent* files = m->Add("Program_files", 1);
    product->SetInstallTypes(111);
    files->SetInstallTypes(111);
    product->AddChild(files);
    for (int64_t i = 0; i < count; ++i) {
        auto f = std::make_unique<WSetupFile>();
        std::string name = "file" + std::to_string(i) + ".dat";
        f->SetSourceDir("/home/author/app");
        f->SetSourceName("data\\" + std::to_string(i % 100) + "\\" + name);
        f->SetTargetDir("<D>\\data");
        f->SetTargetName(name);
        f->SetSize(static_cast<double>(1000 + i));
        files->AddElement(std::move(f));
    }
    return m;
}

std::string OutputFolder() {
    static const std::string folder = [] {
        std::string f = PrivateTempPath("scripts-bench", "");
        MakeFolders(f);
        return f;
    }();
    return folder;
}

void BM_WriteComponentScript(benchmark::State& state) {
    auto project = MakeProject(state.range(0));
    const std::string folder = OutputFolder();
    for (auto _ : state) {
        if (!project->WriteComponentScripts(folder))
            state.SkipWithError("write failed");
    }
    state.counters["bytes"] = static_cast<double>(FileSizeOf(JoinPath(folder, "comp.kvz")));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadComponentScript(benchmark::State& state) {
    const std::string folder = OutputFolder();
    MakeProject(state.range(0))->WriteComponentScripts(folder);
    const std::string script = JoinPath(folder, "comp.kvz");
    const std::string strings = JoinPath(folder, "string.str");
    for (auto _ : state) {
        state.PauseTiming();
        auto reader = std::make_unique<WSetupManager>();
        reader->Add("Product", 0);
        reader->Add("Program_files", 1);
        state.ResumeTiming();
        if (!reader->ReadComponentScript(script, strings))
            state.SkipWithError("read failed");
        if (reader->Find("Program_files")->ElementCount() != static_cast<size_t>(state.range(0))) {
            state.SkipWithError("elements lost");
        }
        state.PauseTiming();
        reader.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_WriteComponentScript)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadComponentScript)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
