#include "slideshow/PageComposer.h"

#include <cmath>

#include "slideshow/ScratchFiles.h"

namespace brisander {
namespace {

constexpr std::string_view kPageStart = "<html><head>";
constexpr std::string_view kBodyStart =
    "</head><body oncontextmenu=\"return false;\" "
    "style=\"margin-top:0;margin-left:0;margin-bottom:0;margin-right:0\" bgcolor=\"#000000\">";
constexpr std::string_view kBlankPageEnd = "</body></html>";
constexpr std::string_view kTableStart =
    "<table cellspacing=\"0\" cellpadding=\"0\" border=\"0\" width=\"";
constexpr std::string_view kHeightAttribute = "\" height=\"";
constexpr std::string_view kCellStart = "\" style=\"overflow:hidden\"><tr><td width=\"";
constexpr std::string_view kCellContent =
    "\" style=\"overflow:hidden\"><div align=\"center\" style=\"overflow:hidden\">";
constexpr std::string_view kImageStart = "<img src=\"";
constexpr std::string_view kImagePathEnd = "\" ";
constexpr std::string_view kPictureEnd = "></div></td></tr></table></body></html>";

}  // namespace

std::string MakeTransitionTag(EffectIndex effect, Random& random) {
  if (effect == kEffectFade) return std::string(kBlendElement);
  if (effect == kEffectRandom)
    return std::string(random.Next(23) != 0 ? kRandomRevealElement : kBlendElement);
  return std::string(kRevealPrefix) + std::to_string(effect) + std::string(kRevealSuffix);
}

std::string_view ChooseSizeAttribute(int32_t windowWidth, int32_t windowHeight,
                                     int32_t pictureWidth, int32_t pictureHeight) {
  double quotient = static_cast<double>(windowHeight) / static_cast<double>(pictureHeight);
  double scaledWidth = std::nearbyint(quotient * static_cast<double>(pictureWidth));
  return scaledWidth < windowWidth ? kFitHeight : kFitWidth;
}

std::string MakeBlankPage(std::string_view transitionTag) {
  std::string page;
  page.append(kPageStart).append(transitionTag).append(kBodyStart).append(kBlankPageEnd);
  return page;
}

std::string MakePicturePage(std::string_view transitionTag, int32_t windowWidth,
                            int32_t windowHeight, std::string_view picturePath,
                            std::string_view sizeAttribute) {
  std::string page;
  page.append(kPageStart).append(transitionTag).append(kBodyStart).append(kTableStart);
  page.append(std::to_string(int64_t{windowWidth} + 1)).append(kHeightAttribute);
  page.append(std::to_string(int64_t{windowHeight} + 1)).append(kCellStart);
  page.append(std::to_string(windowWidth)).append(kHeightAttribute);
  page.append(std::to_string(windowHeight)).append(kCellContent);
  page.append(kImageStart).append(picturePath).append(kImagePathEnd);
  page.append(sizeAttribute).append(kPictureEnd);
  return page;
}

void WritePageFile(const std::string& path, std::string_view text) {
  WriteScratchFile(path, text.data(), text.size());
}

}  // namespace brisander
