// The picture files, assembled into the executable's read-only data at
// build time; nothing is read from a file at run time.

#include "resources/EmbeddedPictures.h"
#include "resources/Pictures.h"

// number, label, file under BRISANDER_PICTURE_DIR
#define BRISANDER_PICTURES(X)                   \
  X(kInfoPicture, info_105, "info-105.jpg")     \
  X(kFirstPhoto + 0, photo_110, "photo-110.jpg")  \
  X(kFirstPhoto + 1, photo_111, "photo-111.jpg")  \
  X(kFirstPhoto + 2, photo_112, "photo-112.jpg")  \
  X(kFirstPhoto + 3, photo_113, "photo-113.jpg")  \
  X(kFirstPhoto + 4, photo_114, "photo-114.jpg")  \
  X(kFirstPhoto + 5, photo_115, "photo-115.jpg")  \
  X(kFirstPhoto + 6, photo_116, "photo-116.jpg")  \
  X(kFirstPhoto + 7, photo_117, "photo-117.jpg")  \
  X(kFirstPhoto + 8, photo_118, "photo-118.jpg")  \
  X(kFirstPhoto + 9, photo_119, "photo-119.jpg")  \
  X(kFirstPhoto + 10, photo_120, "photo-120.jpg") \
  X(kFirstPhoto + 11, photo_121, "photo-121.jpg") \
  X(kLinksPicture, links, "links.jpg")          \
  X(kTipsPicture, tips, "tips.jpg")             \
  X(kLogoPicture, logo, "logo.bmp")

// The file's bytes between two file-local labels.
#define BRISANDER_INCBIN(number, label, file)              \
  asm(".section .rodata\n"                                 \
      ".balign 16\n"                                       \
      "brisander_picture_" #label ":\n"                    \
      ".incbin \"" BRISANDER_PICTURE_DIR "/" file "\"\n"   \
      "brisander_picture_" #label "_end:\n"                \
      ".previous\n");                                      \
  extern "C" const uint8_t brisander_picture_##label[];    \
  extern "C" const uint8_t brisander_picture_##label##_end[];
BRISANDER_PICTURES(BRISANDER_INCBIN)

namespace brisander {

#define BRISANDER_ENTRY(number, label, file) \
  {number, brisander_picture_##label, brisander_picture_##label##_end},
constexpr EmbeddedPicture kPictures[] = {BRISANDER_PICTURES(BRISANDER_ENTRY)};

std::span<const EmbeddedPicture> EmbeddedPictures() { return kPictures; }

}  // namespace brisander
