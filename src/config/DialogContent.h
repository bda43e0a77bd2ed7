#pragma once
// The fixed content of the configuration dialog that both platforms show:
// the web pages behind its links and the lines of its "About" text.

#include <array>
#include <cstddef>
#include <string_view>

namespace brisander {

// The dialog's caption, set when it is created; the layout's own caption
// shows only when creation stopped early.
inline constexpr const char* kDialogCaption = "Quennick - Marrowdale";
inline constexpr const char* kLayoutCaption = "Vorlage";

// The dialog's link handlers, named after the component and event that own
// them; several clickable places may share one handler.
enum class DialogLink {
  Image1Click,       // the maker's gallery of this product's photos
  StaticText1Click,  // the maker's home page
  StaticText5Click,  // the maker's software site
  Image3Click,       // the first other web site
  Image7Click,       // its page of more screen savers
  Image8Click,       // its page of more free programs
  Image5Click,       // the second other web site
  Image6Click,       // the third other web site
  Image13Click,      // the maker's page about another of its programs
  Image12Click,      // the maker's gallery of a second picture set
  Image11Click,      // the maker's gallery of a third picture set
  Button1Click,      // the maker's donation page
};

inline constexpr std::size_t kDialogLinkCount = 12;

// Indexed by DialogLink.
inline constexpr std::array<std::string_view, kDialogLinkCount> kDialogLinkUrls = {
    "https://quennick.example/galleries/marrowdale/",
    "https://quennick.example/",
    "https://soft.quennick.example/",
    "https://fernwald.example/",
    "https://fernwald.example/screensavers/",
    "https://fernwald.example/freeware/",
    "https://lumen.example/",
    "https://tafelberg.example/",
    "https://quennick.example/fotoschau/",
    "https://quennick.example/galleries/saltmarsh/",
    "https://quennick.example/galleries/ashfell/",
    "https://quennick.example/donate/",
};

constexpr std::string_view LinkUrl(DialogLink link) {
  return kDialogLinkUrls[static_cast<std::size_t>(link)];
}

// The "About" text, one heading or value per line. The value lines 2, 14
// and 17 (counting from 1) are covered by link labels that repeat them.
inline constexpr std::array<std::string_view, 18> kAboutLines = {
    "N a m e",
    "Brisander",
    "",
    "V e r s i o n",
    BRISANDER_VERSION,
    "",
    "R e l e a s e",
    "11 December 2026",
    "",
    "S t a t u s",
    "Freeware",
    "",
    "F o t o s",
    "Mira Quennick",
    "",
    "C o d i n g ,   D e s i g n",
    "Jonas Tellwright",
    "",
};

// The three link labels of the "About" page: the line they cover and the
// handler of a click.
struct AboutLinkLabel {
  int line;  // counting from 1
  DialogLink link;
};

inline constexpr AboutLinkLabel kAboutNameLabel{2, DialogLink::Image1Click};        // StaticText2
inline constexpr AboutLinkLabel kAboutPhotosLabel{14, DialogLink::StaticText1Click};  // StaticText1
inline constexpr AboutLinkLabel kAboutCodingLabel{17, DialogLink::StaticText5Click};  // StaticText5

constexpr std::string_view AboutLabelText(AboutLinkLabel label) {
  return kAboutLines[static_cast<std::size_t>(label.line - 1)];
}

}  // namespace brisander
