// The cost of one slide step (picture view, header, photo copy, page text,
// page file) against its baseline in the same run: a raw write of the same
// bytes to the same folder.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "resources/Pictures.h"
#include "slideshow/PageComposer.h"
#include "slideshow/ScratchFiles.h"

namespace {

using namespace brisander;

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

struct ScratchPaths {
  ScratchPaths() : picture(MakeScratchName("jpg")), page(MakeScratchName("htm")) {}
  ~ScratchPaths() {
    DeleteScratchFile(picture);
    DeleteScratchFile(page);
  }
  std::string picture;
  std::string page;
};

void RawWrite(const std::string& path, const void* data, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(data, 1, size, file);
  std::fclose(file);
}

void BM_SlideStep(benchmark::State& state) {
  ScratchPaths paths;
  const int photo = kFirstPhoto + static_cast<int>(state.range(0));
  TJPEGImage image;
  for (auto _ : state) {
    image.LoadFromResource(photo);
    image.SaveToFile(paths.picture);
    auto size = ChooseSizeAttribute(kWidth, kHeight, image.Width(), image.Height());
    auto page = MakePicturePage(kBlendElement, kWidth, kHeight, paths.picture, size);
    WritePageFile(paths.page, page);
    benchmark::DoNotOptimize(page.data());
  }
}

// The baseline: the same photo and page bytes written with plain stdio.
void BM_RawWriteOfTheSameBytes(benchmark::State& state) {
  ScratchPaths paths;
  const int photo = kFirstPhoto + static_cast<int>(state.range(0));
  auto bytes = FindPictureResource(photo);
  TJPEGImage image;
  image.LoadFromResource(photo);
  auto page = MakePicturePage(
      kBlendElement, kWidth, kHeight, paths.picture,
      ChooseSizeAttribute(kWidth, kHeight, image.Width(), image.Height()));
  for (auto _ : state) {
    RawWrite(paths.picture, bytes.data(), bytes.size());
    RawWrite(paths.page, page.data(), page.size());
  }
}

BENCHMARK(BM_SlideStep)->Arg(0)->Arg(1)->Arg(3);
BENCHMARK(BM_RawWriteOfTheSameBytes)->Arg(0)->Arg(1)->Arg(3);

}  // namespace

BENCHMARK_MAIN();
