#include <benchmark/benchmark.h>

#include "core/FileSystem.h"
#include "core/Lines.h"
#include "editor/core/ParagraphKeepFlags.h"
#include "editor/core/SwappedIndents.h"
#include "editor/core/TopicLoad.h"
#include "editor/core/TopicSave.h"

namespace {

qm::Lines EquationFile() {
  std::string bytes;
  qm::ReadFileBytes(std::string(QM_TESTDATA_DIR) + "/projects/andes-fbd/EQUATION.RTF", bytes);
  return qm::SplitLines(bytes);
}

// File to editor: conversion, the bytes streamed into the control and each
// paragraph's keep flags (which a control that carries them is given).
void BM_TopicLoadEquation(benchmark::State& state) {
  const qm::Lines file = EquationFile();
  for (auto _ : state) {
    qm::editor::TopicFields fields;
    qm::editor::TopicStash stash;
    qm::Lines editor = qm::editor::LoadTopicLines(file, fields, stash);
    std::string stream = qm::editor::RichEditStreamIn(editor);
    std::vector<unsigned> flags = qm::editor::ParagraphKeepFlags(stream);
    benchmark::DoNotOptimize(stream.data());
    benchmark::DoNotOptimize(flags.data());
  }
}
BENCHMARK(BM_TopicLoadEquation)->Unit(benchmark::kMillisecond);

// Editor to file: the streamed-out bytes with their indents mended (as for a
// control that writes them swapped), split, converted and joined.
void BM_TopicSaveEquation(benchmark::State& state) {
  const qm::Lines file = EquationFile();
  qm::editor::TopicFields fields;
  qm::editor::TopicStash stash;
  const std::string streamed = qm::JoinLines(qm::editor::LoadTopicLines(file, fields, stash));
  for (auto _ : state) {
    qm::Lines editor = qm::editor::SplitRichEditStreamOut(qm::editor::MendSwappedIndents(streamed));
    std::string bytes = qm::JoinLines(qm::editor::SaveTopicLines(editor, "EQUATION", fields, stash));
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_TopicSaveEquation)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// Editor to file when the control would hand back all 612 KB (pictures
// included) rather than the placeholders loading leaves.
void BM_TopicSaveEquationWhole(benchmark::State& state) {
  const std::string streamed = qm::JoinLines(EquationFile());
  const qm::editor::TopicFields fields;
  const qm::editor::TopicStash stash;
  for (auto _ : state) {
    qm::Lines editor = qm::editor::SplitRichEditStreamOut(streamed);
    std::string bytes = qm::JoinLines(qm::editor::SaveTopicLines(editor, "EQUATION", fields, stash));
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_TopicSaveEquationWhole)->Unit(benchmark::kMillisecond);

}  // namespace
