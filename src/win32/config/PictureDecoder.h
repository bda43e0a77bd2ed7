#pragma once
// Decodes an embedded picture (JPEG or BMP file bytes) for drawing.

#include <windows.h>

#include <cstdint>
#include <span>

namespace brisander {

// A 24-bit top-down DIB section with the picture's pixels in colour, at full
// size; the caller owns it. Nothing when the bytes cannot be decoded.
// Needs COM initialised on the calling thread.
HBITMAP DecodePicture(std::span<const uint8_t> bytes);

}  // namespace brisander
