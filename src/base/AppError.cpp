#include "base/AppError.h"

namespace brisander {

std::string FormatPattern(std::string_view pattern, std::string_view argument) {
  std::string text(pattern);
  if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, argument);
  return text;
}

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

std::string ApplicationTitle(std::string_view executablePath) {
  auto slash = executablePath.find_last_of("\\/");
  std::string_view name =
      slash == std::string_view::npos ? executablePath : executablePath.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  std::string title(name);
  for (size_t i = 1; i < title.size(); ++i)
    if (title[i] >= 'A' && title[i] <= 'Z') title[i] = static_cast<char>(title[i] - 'A' + 'a');
  return title;
}

}  // namespace brisander
