#pragma once
// The pictures linked into the Linux executable by the object library
// brisander_pictures: the same files, byte for byte, that the Windows build
// carries as RCDATA resources.

#include <cstdint>
#include <span>

namespace brisander {

struct EmbeddedPicture {
  int number;  // as in Pictures.h
  const uint8_t* begin;
  const uint8_t* end;
};

std::span<const EmbeddedPicture> EmbeddedPictures();

}  // namespace brisander
