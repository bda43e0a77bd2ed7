// The CPU time of one transition frame, per transition and screen size,
// against two baselines measured in the same run: copying one frame and a
// plain 50 % blend of two frames. Two cases per transition: a frame drawn
// afresh at any progress, and playback (180 frames over the transition,
// each continuing from the one before, the way the page view plays it).
// Run with QT_QPA_PLATFORM=offscreen.

#include <benchmark/benchmark.h>

#include <QImage>
#include <cstring>
#include <random>
#include <string>

#include "linux/pageview/TransitionRenderer.h"

namespace {

using namespace brisander;

constexpr int kPlaybackFrames = 180;  // 3 s at 60 frames per second
// Transition 0 is the blend, 1 + n is reveal pattern n.
constexpr int kTransitionCount = 1 + kRevealPatternCount;

QSize SizeArg(int64_t index) { return index == 0 ? QSize(800, 600) : QSize(1920, 1080); }

// Noise, so that no pattern meets long runs of equal bytes.
QImage NoisePage(QSize size, uint32_t seed) {
  QImage page(size, QImage::Format_RGB32);
  std::minstd_rand engine(seed);
  for (int y = 0; y < size.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(page.scanLine(y));
    for (int x = 0; x < size.width(); ++x) row[x] = 0xFF000000u | (engine() & 0xFFFFFFu);
  }
  return page;
}

PageTransition TransitionArg(int64_t index) {
  if (index == 0) return {TransitionKind::kBlend, 3.0, 0};
  return {TransitionKind::kReveal, 3.0, static_cast<int32_t>(index - 1)};
}

std::string SizeName(QSize size) {
  return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

std::string Label(int64_t transition, QSize size) {
  const std::string name =
      transition == 0 ? "blend" : "reveal " + std::to_string(transition - 1);
  return name + " " + SizeName(size);
}

struct Pages {
  explicit Pages(QSize size) : old(NoisePage(size, 1)), fresh(NoisePage(size, 2)) {}
  QImage old;
  QImage fresh;
};

// A frame at a progress unrelated to the one before: every pixel written.
void BM_FreshFrame(benchmark::State& state) {
  const QSize size = SizeArg(state.range(1));
  const Pages pages(size);
  TransitionRenderer renderer;
  if (!renderer.Start(pages.old, pages.fresh, TransitionArg(state.range(0)), 7)) {
    state.SkipWithError("transition did not start");
    return;
  }
  QImage target(size, QImage::Format_RGB32);
  int step = 0;
  for (auto _ : state) {
    // A write access from outside tells the renderer the target no longer
    // holds its last frame.
    benchmark::DoNotOptimize(target.bits());
    renderer.RenderFrame((step % 99 + 1) / 100.0, target);
    step += 37;
    benchmark::ClobberMemory();
  }
  state.SetLabel(Label(state.range(0), size));
}

// Normal playback: successive frames of one transition into one target; the
// transition starts again (Start included) after every kPlaybackFrames.
void BM_PlaybackFrame(benchmark::State& state) {
  const QSize size = SizeArg(state.range(1));
  const Pages pages(size);
  const PageTransition transition = TransitionArg(state.range(0));
  TransitionRenderer renderer;
  QImage target;
  int frame = kPlaybackFrames;
  uint64_t seed = 0;
  for (auto _ : state) {
    if (frame == kPlaybackFrames) {
      if (!renderer.Start(pages.old, pages.fresh, transition, ++seed)) {
        state.SkipWithError("transition did not start");
        return;
      }
      frame = 0;
    }
    ++frame;
    renderer.RenderFrame(double(frame) / (kPlaybackFrames + 1), target);
    benchmark::ClobberMemory();
  }
  state.SetLabel(Label(state.range(0), size));
}

// Baseline: one frame's bytes copied.
void BM_FrameCopy(benchmark::State& state) {
  const QSize size = SizeArg(state.range(0));
  const Pages pages(size);
  QImage target(size, QImage::Format_RGB32);
  for (auto _ : state) {
    std::memcpy(target.bits(), pages.old.constBits(), static_cast<size_t>(target.sizeInBytes()));
    benchmark::ClobberMemory();
  }
  state.SetLabel(SizeName(size));
}

// Baseline: a 50 % blend of two frames in a plain byte loop.
void BM_HalfBlend(benchmark::State& state) {
  const QSize size = SizeArg(state.range(0));
  const Pages pages(size);
  QImage target(size, QImage::Format_RGB32);
  const auto count = static_cast<size_t>(target.sizeInBytes());
  for (auto _ : state) {
    const uint8_t* from = pages.old.constBits();
    const uint8_t* to = pages.fresh.constBits();
    uint8_t* out = target.bits();
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>((from[i] + to[i] + 1) >> 1);
    benchmark::ClobberMemory();
  }
  state.SetLabel(SizeName(size));
}

void EveryTransitionAndSize(benchmark::internal::Benchmark* bench) {
  for (int64_t size = 0; size < 2; ++size)
    for (int64_t transition = 0; transition < kTransitionCount; ++transition)
      bench->Args({transition, size});
}

BENCHMARK(BM_FrameCopy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalfBlend)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreshFrame)->Apply(EveryTransitionAndSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlaybackFrame)->Apply(EveryTransitionAndSize)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
