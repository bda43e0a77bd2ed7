#pragma once
// The texts of the slide pages and the writing of a page file. Each page is
// one line of HTML whose head carries the exit transition that the page
// view plays when it leaves the page for the next one.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/Random.h"

namespace brisander {

using EffectIndex = int32_t;

inline constexpr EffectIndex kEffectFade = 23;
inline constexpr EffectIndex kEffectRandom = 24;

inline constexpr std::string_view kBlendElement =
    "<meta http-equiv=Page-Exit content=blendTrans(Duration=3)>";
inline constexpr std::string_view kRandomRevealElement =
    "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=23)>";
inline constexpr std::string_view kRevealPrefix =
    "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=";
inline constexpr std::string_view kRevealSuffix = ")>";

inline constexpr std::string_view kFitHeight = "height=\"100%\"";
inline constexpr std::string_view kFitWidth = "width=\"100%\"";

// The transition element for an effect; index 24 draws anew on every call.
std::string MakeTransitionTag(EffectIndex effect, Random& random = ProcessRandom());

// Fit by height when the picture, scaled to the window's height, is
// narrower than the window; otherwise fit by width.
std::string_view ChooseSizeAttribute(int32_t windowWidth, int32_t windowHeight,
                                     int32_t pictureWidth, int32_t pictureHeight);

std::string MakeBlankPage(std::string_view transitionTag);

std::string MakePicturePage(std::string_view transitionTag, int32_t windowWidth,
                            int32_t windowHeight, std::string_view picturePath,
                            std::string_view sizeAttribute);

// Writes the text's bytes exactly: no byte-order mark, no line break. A file
// that cannot be written raises an AppError naming the file and the reason.
void WritePageFile(const std::string& path, std::string_view text);

}  // namespace brisander
