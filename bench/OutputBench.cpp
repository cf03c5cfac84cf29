// The output windows and the report on the large staged problem (NN = 1000,
// NT = 20), offscreen: filling the table of 1001 rows, showing the graphs
// (all 20 step files read for the scales, then painted), switching the step
// of the graphs, and the whole report printed to a PDF file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>
#include <filesystem>
#include <iostream>
#include <memory>

#include "base/BatchDialogs.h"
#include "base/OffscreenApplication.h"
#include "bench/StagedProblem.h"
#include "engine/RunComputation.h"
#include "print/PrintJob.h"
#include "ui/ApplicationWindows.h"
#include "ui/StepChooser.h"
#include "ui/TFormGraphs.h"
#include "ui/TFormKRV.h"
#include "ui/TFormTables.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

// The computed problem and the program's windows, made once for all runs.
struct Program {
  Program() {
    StartOffscreenApplication();
    folder = fs::temp_directory_path() / "korvanu-bench-output";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);
    // The main window starts on the default problem; the staged one replaces it.
    windows = std::make_unique<ApplicationWindows>(context);
    *problem = StagedExcavation();
    ComputationObserver quiet;
    computed = RunComputation(*problem, *engine, quiet) == ComputationFault::None;
    view.ResultsValid = computed;
  }

  std::unique_ptr<ProblemData> problem = std::make_unique<ProblemData>();
  std::unique_ptr<EngineState> engine = std::make_unique<EngineState>();
  ViewState view;
  BatchDialogs dialogs{"korvanu_bench_output", std::cerr};
  AppContext context{*problem, view, *engine, dialogs, RunComputation};
  std::unique_ptr<ApplicationWindows> windows;
  fs::path folder;
  bool computed = false;
};

Program& TheProgram() {
  static Program* program = new Program();  // outlives the benchmarks
  return *program;
}

void FillTable(benchmark::State& state) {
  Program& p = TheProgram();
  TFormTables& tables = *p.context.Windows.Tables;
  p.windows->Main().SpeedButtonScreenOutputClick();
  for (auto _ : state) {
    tables.Fill();
    QApplication::processEvents();
  }
  p.windows->Main().SpeedButtonScreenOutputClick();
  if (!p.computed || p.dialogs.Messages() > 0) state.SkipWithError("no results");
}
BENCHMARK(FillTable)->Unit(benchmark::kMillisecond);

void ShowGraphs(benchmark::State& state) {
  Program& p = TheProgram();
  TFormGraphs& graphs = *p.context.Windows.Graphs;
  for (auto _ : state) {
    p.windows->Main().SpeedButtonScreenGraphsClick();  // shows: all steps read, painted
    graphs.repaint();
    state.PauseTiming();
    p.windows->Main().SpeedButtonScreenGraphsClick();  // hides
    state.ResumeTiming();
  }
  if (!p.computed || p.dialogs.Messages() > 0) state.SkipWithError("no results");
}
BENCHMARK(ShowGraphs)->Unit(benchmark::kMillisecond);

void SwitchGraphsStep(benchmark::State& state) {
  Program& p = TheProgram();
  TFormGraphs& graphs = *p.context.Windows.Graphs;
  p.windows->Main().SpeedButtonScreenGraphsClick();
  int step = 1;
  for (auto _ : state) {
    step = step % 20 + 1;
    graphs.ComboBoxStep().setEditText(QString::number(step));
    graphs.ComboBoxStepChange();
    graphs.repaint();
  }
  p.windows->Main().SpeedButtonScreenGraphsClick();
  if (!p.computed || p.dialogs.Messages() > 0) state.SkipWithError("no results");
}
BENCHMARK(SwitchGraphsStep)->Unit(benchmark::kMillisecond);

// The report of every section, as korvanu-cli report writes it.
void WholeReport(benchmark::State& state) {
  Program& p = TheProgram();
  const std::string pdf = (p.folder / "report.pdf").string();
  BatchDialogs dialogs("korvanu_bench_output", std::cerr);
  dialogs.PrintTo(pdf);
  int pages = 0;
  for (auto _ : state) {
    ViewState view;
    view.ResultsValid = true;
    PrintJobHooks hooks;
    hooks.Results = &p.engine->Nodes;
    QPrinter printer(QPrinter::HighResolution);
    PrintJob job(*p.problem, view, dialogs, std::move(hooks));
    if (job.Run(PrintOptions(), printer, nullptr) != PrintOutcome::Printed) {
      state.SkipWithError("not printed");
      break;
    }
    pages = view.PageOffset;
  }
  state.counters["pages"] = pages;
}
BENCHMARK(WholeReport)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korvanu

BENCHMARK_MAIN();
