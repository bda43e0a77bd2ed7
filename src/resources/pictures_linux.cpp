#include <cstdio>

#include <jpeglib.h>

#include "resources/EmbeddedPictures.h"
#include "resources/JpegDecoder.h"
#include "resources/Pictures.h"

namespace brisander {

std::span<const uint8_t> FindPictureResource(int number) {
  for (const auto& picture : EmbeddedPictures())
    if (picture.number == number) return {picture.begin, picture.end};
  throw ResourceNotFoundError(number);
}

JpegHeader ReadJpegHeader(std::span<const uint8_t> jpeg) {
  JpegHeader header;
  WithJpegDecompressor(jpeg, [&](jpeg_decompress_struct& info) {
    jpeg_read_header(&info, TRUE);
    header.width = static_cast<int32_t>(info.image_width);
    header.height = static_cast<int32_t>(info.image_height);
    header.grayscale = info.jpeg_color_space == JCS_GRAYSCALE;
    header.progressive = info.progressive_mode != 0;
  });
  return header;
}

}  // namespace brisander
