#include "resources/Pictures.h"

#include "slideshow/ScratchFiles.h"

namespace brisander {

void TJPEGImage::LoadFromResource(int number) {
  auto bytes = FindPictureResource(number);
  header_ = ReadJpegHeader(bytes);
  bytes_ = bytes;
}

void TJPEGImage::SaveToFile(const std::string& path) const {
  WriteScratchFile(path, bytes_.data(), bytes_.size());
}

}  // namespace brisander
