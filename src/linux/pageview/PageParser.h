#pragma once
// Reads what the page view needs from a page text: the exit transition in
// the head, the body's colour, the table cell that holds the picture, and
// the picture with its size attribute. Any text gives a defined result:
// what cannot be read keeps its default (no transition, black, no picture).

#include <cstdint>
#include <string>
#include <string_view>

namespace brisander {

enum class TransitionKind { kNone, kBlend, kReveal };

struct PageTransition {
  TransitionKind kind = TransitionKind::kNone;
  double durationSeconds = 0.0;
  // The reveal pattern: 0 to 22, or 23 for a random pick among them; any
  // other number is a cut.
  int32_t pattern = 0;

  bool operator==(const PageTransition&) const = default;
};

// Which side of the picture follows the cell; the other keeps the aspect.
enum class PictureFit { kNone, kWidth, kHeight };

struct PageLayout {
  PageTransition exitTransition;
  uint32_t background = 0xFF000000;  // 0xAARRGGBB
  // Sizes in pixels; -1 where the page gives none.
  int32_t tableWidth = -1;
  int32_t tableHeight = -1;
  int32_t cellWidth = -1;
  int32_t cellHeight = -1;
  std::string picturePath;  // empty: no picture
  PictureFit fit = PictureFit::kNone;
};

inline constexpr int32_t kRandomRevealPattern = 23;
// Sizes beyond this are taken as this; no screen is larger.
inline constexpr int32_t kMaxPageDimension = 16384;
inline constexpr double kMaxTransitionSeconds = 60.0;

PageLayout ParsePage(std::string_view text);

}  // namespace brisander
