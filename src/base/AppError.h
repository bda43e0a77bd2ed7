#pragma once
// Errors of the system and the standard error box's text rules.

#include <stdexcept>
#include <string>
#include <string_view>

namespace brisander {

// An error that reaches the user in the standard error box. Its message is
// the text of the box, before the final "." rule is applied.
class AppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A command-line number that is not an integer text.
class ConvertError : public AppError {
 public:
  using AppError::AppError;
};

// Replaces the first "%s" of a message pattern with the argument.
std::string FormatPattern(std::string_view pattern, std::string_view argument);

// The text of the error box: the message with a "." added only when its
// last character sorts after ".".
std::string ErrorBoxText(std::string_view message);

// The application's title, made from the executable's path: the file name
// without folder and without anything from its first "." on, its first
// character unchanged and the rest in lower case.
std::string ApplicationTitle(std::string_view executablePath);

}  // namespace brisander
