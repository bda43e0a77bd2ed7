#pragma once
// Decoding of JPEG data with libjpeg, for the pictures that are drawn (the
// page view's photos and the dialog's pictures). Linux only.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

struct jpeg_decompress_struct;

namespace brisander {

struct RgbImage {
  int32_t width = 0;
  int32_t height = 0;
  // Rows from top to bottom, three bytes (red, green, blue) per pixel, no
  // padding.
  std::vector<uint8_t> pixels;
};

// Decodes to 24-bit RGB, also grayscale data. With a target size libjpeg
// scales while decoding (by n/8) to the smallest size that still covers the
// target, which is much cheaper than decoding a photo at full size and
// shrinking it; the caller scales the rest of the way. Without a target
// (0 x 0) the picture comes at full size. Bad data raises "JPEG-Fehler #%d".
RgbImage DecodeJpeg(std::span<const uint8_t> jpeg, int32_t targetWidth = 0,
                    int32_t targetHeight = 0);

// Runs `steps` on a decompressor that reads `jpeg` and releases it
// afterwards. A libjpeg error inside the steps raises "JPEG-Fehler #%d"
// with libjpeg's message code. The error leaves the steps by longjmp, so
// they must not keep objects with destructors alive across libjpeg calls.
void WithJpegDecompressor(std::span<const uint8_t> jpeg,
                          const std::function<void(jpeg_decompress_struct&)>& steps);

}  // namespace brisander
