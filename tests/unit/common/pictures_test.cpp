#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fixtures/TinyJpegs.h"
#include "resources/Pictures.h"

namespace brisander {
namespace {

struct PictureSize {
  int number;
  int32_t width;
  int32_t height;
};

const PictureSize kPictureSizes[] = {
    {105, 445, 241},  {110, 1024, 768}, {111, 1024, 284}, {112, 1024, 768}, {113, 576, 768},
    {114, 1024, 768}, {115, 1024, 768}, {116, 576, 768},  {117, 1024, 768}, {118, 1024, 768},
    {119, 1024, 768}, {120, 1024, 449}, {121, 1024, 768},
};

class NumberedPicture : public ::testing::TestWithParam<PictureSize> {};

TEST_P(NumberedPicture, LoadsWithTheDimensionsOfItsHeaderAsAWholeColourJpeg) {
  const auto& expected = GetParam();
  TJPEGImage image;
  image.LoadFromResource(expected.number);
  EXPECT_EQ(image.Width(), expected.width);
  EXPECT_EQ(image.Height(), expected.height);

  auto bytes = image.Bytes();
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(bytes.data(), FindPictureResource(expected.number).data()) << "read in place";
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xD8);
  EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
  EXPECT_EQ(bytes[bytes.size() - 1], 0xD9);
  auto header = ReadJpegHeader(bytes);
  EXPECT_FALSE(header.grayscale);
  EXPECT_FALSE(header.progressive);
}

INSTANTIATE_TEST_SUITE_P(All, NumberedPicture, ::testing::ValuesIn(kPictureSizes),
                         [](const auto& info) { return std::to_string(info.param.number); });

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TJPEGImage, SavesTheEmbeddedBytesUnchanged) {
  const auto folder = std::filesystem::temp_directory_path() / "brisander-pictures-test";
  std::filesystem::create_directories(folder);
  const auto path = folder / "photo.jpg";
  for (int number : {kFirstPhoto + 1, kFirstPhoto + 3}) {
    TJPEGImage image;
    image.LoadFromResource(number);
    image.SaveToFile(path.string());
    auto embedded = FindPictureResource(number);
    EXPECT_EQ(ReadFile(path), std::vector<uint8_t>(embedded.begin(), embedded.end())) << number;
  }
  std::filesystem::remove_all(folder);
}

TEST(FindPictureResource, FindsTheDialogsLayoutPictures) {
  for (int number : {kLinksPicture, kTipsPicture}) {
    auto header = ReadJpegHeader(FindPictureResource(number));
    EXPECT_EQ(header.width, 486) << number;
    EXPECT_EQ(header.height, 313) << number;
  }
  // A 100 x 100 bitmap with 4 bits per pixel.
  auto logo = FindPictureResource(kLogoPicture);
  ASSERT_GT(logo.size(), 30u);
  auto little16 = [&](size_t at) { return logo[at] | logo[at + 1] << 8; };
  EXPECT_EQ(logo[0], 'B');
  EXPECT_EQ(logo[1], 'M');
  EXPECT_EQ(little16(18), 100);
  EXPECT_EQ(little16(22), 100);
  EXPECT_EQ(little16(28), 4);
}

TEST(FindPictureResource, FailsForANumberWithoutPicture) {
  for (int number : {122, 109, 0}) {
    try {
      FindPictureResource(number);
      ADD_FAILURE() << number << " was found";
    } catch (const AppError& error) {
      EXPECT_EQ(std::string(error.what()),
                "Ressource " + std::to_string(number) + " wurde nicht gefunden");
    }
  }
}

TEST(TJPEGImage, LoadingAMissingPictureNamesItsNumber) {
  TJPEGImage image;
  try {
    image.LoadFromResource(122);
    FAIL() << "122 was loaded";
  } catch (const AppError& error) {
    EXPECT_STREQ(error.what(), "Ressource 122 wurde nicht gefunden");
  }
}

struct HeaderCase {
  const char* name;
  std::span<const uint8_t> jpeg;
  int32_t width;
  int32_t height;
  bool grayscale;
  bool progressive;
};

TEST(ReadJpegHeader, ReportsSizeColourAndScans) {
  const HeaderCase cases[] = {
      {"gray", fixtures::kGrayJpeg, 16, 8, true, false},
      {"progressive", fixtures::kProgressiveRedJpeg, 9, 5, false, true},
  };
  for (const auto& c : cases) {
    auto header = ReadJpegHeader(c.jpeg);
    EXPECT_EQ(header.width, c.width) << c.name;
    EXPECT_EQ(header.height, c.height) << c.name;
    EXPECT_EQ(header.grayscale, c.grayscale) << c.name;
    EXPECT_EQ(header.progressive, c.progressive) << c.name;
  }
}

// "JPEG-Fehler #" and a decimal code.
bool IsJpegErrorMessage(const std::string& message) {
  const std::string prefix = "JPEG-Fehler #";
  if (message.rfind(prefix, 0) != 0) return false;
  auto code = message.substr(prefix.size());
  if (!code.empty() && code[0] == '-') code.erase(0, 1);
  return !code.empty() && code.find_first_not_of("0123456789") == std::string::npos;
}

TEST(ReadJpegHeader, BadDataRaisesAJpegError) {
  const auto photo = FindPictureResource(kFirstPhoto);
  const std::string text = "no JPEG at all";
  const uint8_t png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  const std::pair<const char*, std::span<const uint8_t>> cases[] = {
      {"text", {reinterpret_cast<const uint8_t*>(text.data()), text.size()}},
      {"png", png},
      {"start of a header", photo.first(40)},
      {"empty", {}},
  };
  for (const auto& [name, bytes] : cases) {
    try {
      ReadJpegHeader(bytes);
      ADD_FAILURE() << name << " was read";
    } catch (const AppError& error) {
      EXPECT_TRUE(IsJpegErrorMessage(error.what())) << name << ": " << error.what();
    }
  }
}

}  // namespace
}  // namespace brisander
