#include "linux/pageview/PageParser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <optional>

namespace brisander {
namespace {

constexpr double kDefaultTransitionSeconds = 1.0;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

struct Attribute {
  std::string_view name;
  std::string_view value;
};

// One start tag: its name and attributes, as views into the page text.
class Tag {
 public:
  std::string_view name;

  std::optional<std::string_view> Find(std::string_view attributeName) const {
    for (int i = 0; i < count_; ++i)
      if (EqualsNoCase(attributes_[i].name, attributeName)) return attributes_[i].value;
    return std::nullopt;
  }
  void Add(Attribute attribute) {
    if (count_ < kMaxAttributes) attributes_[count_++] = attribute;
  }

 private:
  // No tag of a page has more; any further ones are ignored.
  static constexpr int kMaxAttributes = 16;
  Attribute attributes_[kMaxAttributes];
  int count_ = 0;
};

// Reads the markup that starts at text[pos] == '<' and moves pos past it.
// Returns false for anything but a start tag (end tags, comments,
// declarations, a stray '<').
bool ReadTag(std::string_view text, size_t& pos, Tag& tag) {
  ++pos;
  if (text.substr(pos, 3) == "!--") {
    size_t end = text.find("-->", pos + 3);
    pos = end == std::string_view::npos ? text.size() : end + 3;
    return false;
  }
  size_t nameStart = pos;
  while (pos < text.size() && (std::isalnum(static_cast<unsigned char>(text[pos])) != 0)) ++pos;
  if (pos == nameStart) {
    size_t end = text.find('>', pos);
    pos = end == std::string_view::npos ? text.size() : end + 1;
    return false;
  }
  tag.name = text.substr(nameStart, pos - nameStart);
  while (pos < text.size()) {
    while (pos < text.size() && (IsSpace(text[pos]) || text[pos] == '/')) ++pos;
    if (pos >= text.size()) break;
    if (text[pos] == '>') {
      ++pos;
      break;
    }
    size_t attributeStart = pos;
    while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '=' && text[pos] != '>') ++pos;
    Attribute attribute{text.substr(attributeStart, pos - attributeStart), {}};
    size_t afterName = pos;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    if (pos < text.size() && text[pos] == '=') {
      ++pos;
      while (pos < text.size() && IsSpace(text[pos])) ++pos;
      if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
        char quote = text[pos++];
        size_t end = text.find(quote, pos);
        if (end == std::string_view::npos) end = text.size();
        attribute.value = text.substr(pos, end - pos);
        pos = std::min(end + 1, text.size());
      } else {
        size_t valueStart = pos;
        while (pos < text.size() && !IsSpace(text[pos]) && text[pos] != '>') ++pos;
        attribute.value = text.substr(valueStart, pos - valueStart);
      }
    } else {
      pos = afterName;
    }
    tag.Add(attribute);
  }
  return true;
}

// A size in pixels: leading digits not followed by '%'; clamped to the
// largest page.
int32_t ParsePixels(std::string_view value) {
  value = Trim(value);
  int64_t number = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error == std::errc::result_out_of_range) return kMaxPageDimension;
  if (error != std::errc() || (end != value.data() + value.size() && *end == '%')) return -1;
  return static_cast<int32_t>(std::clamp<int64_t>(number, 0, kMaxPageDimension));
}

std::optional<uint32_t> ParseColour(std::string_view value) {
  value = Trim(value);
  if (!value.empty() && value.front() == '#') value.remove_prefix(1);
  if (value.size() != 6) return std::nullopt;
  uint32_t rgb = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), rgb, 16);
  if (error != std::errc() || end != value.data() + value.size()) return std::nullopt;
  return 0xFF000000u | rgb;
}

double ParseDuration(std::string_view value) {
  value = Trim(value);
  double seconds = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
  if (error != std::errc() || !std::isfinite(seconds) || seconds < 0)
    return kDefaultTransitionSeconds;
  return std::min(seconds, kMaxTransitionSeconds);
}

// A number that does not fit counts as out of range, which is a cut.
int32_t ParsePattern(std::string_view value) {
  value = Trim(value);
  int64_t number = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error != std::errc() || number < INT32_MIN || number > INT32_MAX) return -1;
  return static_cast<int32_t>(number);
}

// "blendTrans(Duration=3)" or "revealTrans(Duration=3,transition=N)".
PageTransition ParseTransition(std::string_view content) {
  PageTransition transition;
  size_t open = content.find('(');
  if (open == std::string_view::npos) return transition;
  std::string_view filter = Trim(content.substr(0, open));
  if (EqualsNoCase(filter, "blendTrans"))
    transition.kind = TransitionKind::kBlend;
  else if (EqualsNoCase(filter, "revealTrans"))
    transition.kind = TransitionKind::kReveal;
  else
    return transition;
  transition.durationSeconds = kDefaultTransitionSeconds;

  std::string_view parameters = content.substr(open + 1);
  parameters = parameters.substr(0, parameters.find(')'));
  while (!parameters.empty()) {
    size_t comma = parameters.find(',');
    std::string_view parameter = parameters.substr(0, comma);
    parameters =
        comma == std::string_view::npos ? std::string_view() : parameters.substr(comma + 1);
    size_t equals = parameter.find('=');
    if (equals == std::string_view::npos) continue;
    std::string_view key = Trim(parameter.substr(0, equals));
    std::string_view value = parameter.substr(equals + 1);
    if (EqualsNoCase(key, "Duration"))
      transition.durationSeconds = ParseDuration(value);
    else if (EqualsNoCase(key, "Transition"))
      transition.pattern = ParsePattern(value);
  }
  return transition;
}

void ReadSize(const Tag& tag, int32_t& width, int32_t& height) {
  if (auto value = tag.Find("width")) width = ParsePixels(*value);
  if (auto value = tag.Find("height")) height = ParsePixels(*value);
}

bool IsWholeCell(std::optional<std::string_view> value) { return value && Trim(*value) == "100%"; }

}  // namespace

PageLayout ParsePage(std::string_view text) {
  PageLayout layout;
  bool haveTransition = false;
  bool haveTable = false;
  bool haveCell = false;
  bool havePicture = false;
  size_t pos = 0;
  while ((pos = text.find('<', pos)) != std::string_view::npos) {
    Tag tag;
    if (!ReadTag(text, pos, tag)) continue;
    if (EqualsNoCase(tag.name, "meta")) {
      auto equiv = tag.Find("http-equiv");
      auto content = tag.Find("content");
      if (!haveTransition && equiv && content && EqualsNoCase(Trim(*equiv), "Page-Exit")) {
        layout.exitTransition = ParseTransition(*content);
        haveTransition = true;
      }
    } else if (EqualsNoCase(tag.name, "body")) {
      if (auto value = tag.Find("bgcolor"))
        if (auto colour = ParseColour(*value)) layout.background = *colour;
    } else if (EqualsNoCase(tag.name, "table") && !haveTable) {
      ReadSize(tag, layout.tableWidth, layout.tableHeight);
      haveTable = true;
    } else if (EqualsNoCase(tag.name, "td") && !haveCell) {
      ReadSize(tag, layout.cellWidth, layout.cellHeight);
      haveCell = true;
    } else if (EqualsNoCase(tag.name, "img") && !havePicture) {
      if (auto source = tag.Find("src")) layout.picturePath = std::string(*source);
      if (IsWholeCell(tag.Find("width")))
        layout.fit = PictureFit::kWidth;
      else if (IsWholeCell(tag.Find("height")))
        layout.fit = PictureFit::kHeight;
      havePicture = true;
    }
  }
  return layout;
}

}  // namespace brisander
