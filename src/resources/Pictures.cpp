#include "resources/Pictures.h"

#include "slideshow/ScratchFiles.h"

namespace brisander {

AppError ResourceNotFoundError(int number) {
  return AppError(FormatPattern("Ressource %s wurde nicht gefunden", std::to_string(number)));
}

AppError JpegError(int code) { return AppError("JPEG-Fehler #" + std::to_string(code)); }

void TJPEGImage::LoadFromResource(int number) {
  auto bytes = FindPictureResource(number);
  header_ = ReadJpegHeader(bytes);
  bytes_ = bytes;
}

void TJPEGImage::SaveToFile(const std::string& path) const {
  WriteScratchFile(path, bytes_.data(), bytes_.size());
}

}  // namespace brisander
