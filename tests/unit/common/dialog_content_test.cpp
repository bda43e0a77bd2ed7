#include "config/DialogContent.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace brisander {
namespace {

std::string Host(std::string_view url) {
  const std::string_view scheme = "https://";
  if (url.substr(0, scheme.size()) != scheme) return "";
  url.remove_prefix(scheme.size());
  return std::string(url.substr(0, url.find('/')));
}

bool IsMakersHost(const std::string& host) {
  return host == "quennick.example" || host.ends_with(".quennick.example");
}

TEST(DialogContent, TwelveDifferentPagesOnReservedExampleHosts) {
  std::set<std::string_view> urls(kDialogLinkUrls.begin(), kDialogLinkUrls.end());
  EXPECT_EQ(urls.size(), kDialogLinkCount);
  for (auto url : kDialogLinkUrls) EXPECT_TRUE(Host(url).ends_with(".example")) << url;
}

TEST(DialogContent, LinksLeadToTheMakerOrToThreeOtherSites) {
  struct Case {
    DialogLink link;
    bool maker;
  };
  const Case cases[] = {
      {DialogLink::Image1Click, true},   {DialogLink::StaticText1Click, true},
      {DialogLink::StaticText5Click, true}, {DialogLink::Image13Click, true},
      {DialogLink::Image12Click, true},  {DialogLink::Image11Click, true},
      {DialogLink::Button1Click, true},  {DialogLink::Image3Click, false},
      {DialogLink::Image7Click, false},  {DialogLink::Image8Click, false},
      {DialogLink::Image5Click, false},  {DialogLink::Image6Click, false},
  };
  std::set<std::string> otherSites;
  for (const auto& c : cases) {
    const std::string host = Host(LinkUrl(c.link));
    EXPECT_EQ(IsMakersHost(host), c.maker) << LinkUrl(c.link);
    if (!c.maker) otherSites.insert(host);
  }
  EXPECT_EQ(otherSites.size(), 3u);
  // The screen-saver and free-program pages belong to the first site.
  EXPECT_EQ(Host(LinkUrl(DialogLink::Image7Click)), Host(LinkUrl(DialogLink::Image3Click)));
  EXPECT_EQ(Host(LinkUrl(DialogLink::Image8Click)), Host(LinkUrl(DialogLink::Image3Click)));
}

TEST(DialogContent, AboutTextHasItsHeadingsAndValuesOnFixedLines) {
  const std::pair<int, std::string_view> headings[] = {
      {1, "N a m e"},   {4, "V e r s i o n"}, {7, "R e l e a s e"},
      {10, "S t a t u s"}, {13, "F o t o s"},  {16, "C o d i n g ,   D e s i g n"},
  };
  for (const auto& [line, text] : headings) {
    EXPECT_EQ(kAboutLines[line - 1], text) << "line " << line;
    EXPECT_FALSE(kAboutLines[line].empty()) << "the value under line " << line;
    EXPECT_TRUE(kAboutLines[line + 1].empty()) << "line " << line + 2;
  }
  EXPECT_EQ(kAboutLines[1], "Brisander");
  EXPECT_EQ(kAboutLines[4], BRISANDER_VERSION);
  EXPECT_EQ(kAboutLines[10], "Freeware");
}

}  // namespace
}  // namespace brisander
