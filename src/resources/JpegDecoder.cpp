#include "resources/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "resources/Pictures.h"

namespace brisander {

namespace {

struct JumpingErrorManager {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JumpingErrorManager*>(info->err)->jump, 1);
}

// Warnings (a truncated body, for one) are not errors; libjpeg copes and
// nothing is printed.
void Silent(j_common_ptr) {}

// The smallest n/8 scale whose output covers the target size.
void ScaleToCover(jpeg_decompress_struct& info, int32_t targetWidth, int32_t targetHeight) {
  info.scale_denom = 8;
  for (info.scale_num = 1; info.scale_num < 8; ++info.scale_num) {
    jpeg_calc_output_dimensions(&info);
    if (static_cast<int64_t>(info.output_width) >= targetWidth &&
        static_cast<int64_t>(info.output_height) >= targetHeight)
      return;
  }
}

}  // namespace

void WithJpegDecompressor(std::span<const uint8_t> jpeg,
                          const std::function<void(jpeg_decompress_struct&)>& steps) {
  jpeg_decompress_struct info{};
  JumpingErrorManager errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = JumpOut;
  errors.manager.output_message = Silent;
  if (setjmp(errors.jump)) {
    const int code = errors.manager.msg_code;
    jpeg_destroy_decompress(&info);
    throw JpegError(code);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  try {
    steps(info);
  } catch (...) {
    jpeg_destroy_decompress(&info);
    throw;
  }
  jpeg_destroy_decompress(&info);
}

RgbImage DecodeJpeg(std::span<const uint8_t> jpeg, int32_t targetWidth, int32_t targetHeight) {
  RgbImage image;
  WithJpegDecompressor(jpeg, [&](jpeg_decompress_struct& info) {
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    if (targetWidth > 0 || targetHeight > 0) ScaleToCover(info, targetWidth, targetHeight);
    jpeg_start_decompress(&info);
    image.width = static_cast<int32_t>(info.output_width);
    image.height = static_cast<int32_t>(info.output_height);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * 3);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = image.pixels.data() + static_cast<size_t>(info.output_scanline) * image.width * 3;
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
  });
  return image;
}

}  // namespace brisander
