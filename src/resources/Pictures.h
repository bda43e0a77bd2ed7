#pragma once
// The numbered pictures embedded in the executable: RCDATA 105 (the
// dialog's info picture) and 110 to 121 (the twelve photos), each a whole
// JPEG file. The dialog's layout pictures travel the same way under numbers
// of their own (200 and up), so that one lookup serves both groups.

#include <cstdint>
#include <span>
#include <string>

#include "base/AppError.h"

namespace brisander {

inline constexpr int kInfoPicture = 105;
inline constexpr int kFirstPhoto = 110;
inline constexpr int kPhotoCount = 12;

// The dialog's layout pictures: the "Links" and "Tips" page backgrounds
// (486 x 313 JPEG) and the maker's logo on "About" (100 x 100 bitmap,
// 4 bits per pixel).
inline constexpr int kLinksPicture = 200;
inline constexpr int kTipsPicture = 201;
inline constexpr int kLogoPicture = 202;

// The embedded bytes of a picture, read in place (no copy). Raises
// "Ressource %s wurde nicht gefunden" when there is no such picture.
std::span<const uint8_t> FindPictureResource(int number);

// The errors of loading, shared by both platforms: "Ressource %s wurde
// nicht gefunden" with the number, "JPEG-Fehler #%d" with the decoder's
// message code.
AppError ResourceNotFoundError(int number);
AppError JpegError(int code);

struct JpegHeader {
  int32_t width = 0;
  int32_t height = 0;
  bool grayscale = false;
  bool progressive = false;
};

// Reads the JPEG header only; no pixel is decoded. Data that is not a
// readable JPEG raises "JPEG-Fehler #%d".
JpegHeader ReadJpegHeader(std::span<const uint8_t> jpeg);

// A loaded numbered picture: a view of its embedded bytes and the
// dimensions of its header.
class TJPEGImage {
 public:
  void LoadFromResource(int number);
  int32_t Width() const { return header_.width; }
  int32_t Height() const { return header_.height; }
  std::span<const uint8_t> Bytes() const { return bytes_; }
  // Writes the held bytes unchanged.
  void SaveToFile(const std::string& path) const;

 private:
  std::span<const uint8_t> bytes_;
  JpegHeader header_;
};

}  // namespace brisander
