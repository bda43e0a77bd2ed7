#include <gtest/gtest.h>

#include <cstdlib>

#include "base/AppError.h"
#include "fixtures/TinyJpegs.h"
#include "resources/JpegDecoder.h"
#include "resources/Pictures.h"

namespace brisander {
namespace {

struct ScaleCase {
  int32_t targetWidth;
  int32_t targetHeight;
  int32_t width;  // of the decoded picture
  int32_t height;
};

TEST(DecodeJpeg, ScalesByEighthsToTheSmallestSizeCoveringTheTarget) {
  // The info picture is 445 x 241; n/8 of it, rounded up, is 56 x 31 for
  // n = 1, 112 x 61 for n = 2, 167 x 91 for n = 3.
  const ScaleCase cases[] = {
      {0, 0, 445, 241},   {56, 31, 56, 31},     {57, 31, 112, 61},  {56, 32, 112, 61},
      {150, 10, 167, 91}, {445, 241, 445, 241}, {900, 500, 445, 241},
  };
  const auto jpeg = FindPictureResource(kInfoPicture);
  for (const auto& c : cases) {
    auto image = DecodeJpeg(jpeg, c.targetWidth, c.targetHeight);
    EXPECT_EQ(image.width, c.width) << c.targetWidth << "x" << c.targetHeight;
    EXPECT_EQ(image.height, c.height) << c.targetWidth << "x" << c.targetHeight;
    EXPECT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * image.height * 3);
  }
}

struct ColourCase {
  const char* name;
  std::span<const uint8_t> jpeg;
  int red, green, blue;
};

TEST(DecodeJpeg, GivesRedGreenBlueTriplesAlsoForGrayscale) {
  const ColourCase cases[] = {
      {"red", fixtures::kProgressiveRedJpeg, 254, 0, 0},
      {"gray", fixtures::kGrayJpeg, 128, 128, 128},
  };
  for (const auto& c : cases) {
    auto image = DecodeJpeg(c.jpeg);
    ASSERT_FALSE(image.pixels.empty()) << c.name;
    for (size_t i = 0; i < image.pixels.size(); i += 3) {
      EXPECT_NEAR(image.pixels[i], c.red, 3) << c.name << " pixel " << i / 3;
      EXPECT_NEAR(image.pixels[i + 1], c.green, 3) << c.name << " pixel " << i / 3;
      EXPECT_NEAR(image.pixels[i + 2], c.blue, 3) << c.name << " pixel " << i / 3;
    }
  }
}

TEST(DecodeJpeg, BadDataRaisesAJpegError) {
  const uint8_t text[] = {'n', 'o', ' ', 'J', 'P', 'E', 'G'};
  try {
    DecodeJpeg(text);
    FAIL() << "decoded";
  } catch (const AppError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("JPEG-Fehler #", 0), 0u) << error.what();
  }
}

}  // namespace
}  // namespace brisander
