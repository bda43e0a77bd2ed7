#pragma once
// The entry points that each platform's user interface provides to the
// main routine.

#include <string>
#include <vector>

namespace brisander {

// The arguments after argument 0: on Windows split from the process's
// command line text, on Linux argv as the shell split it.
std::vector<std::string> ProcessArguments(int argc, char** argv);

// The path of the running executable, for the application's title.
std::string ExecutablePath(int argc, char** argv);

// Shows the slideshow (full screen or preview) and returns when it ended.
void RunSlideshow(int argc, char** argv);

// Shows the configuration dialog and returns when it closed.
void RunConfigDialog(int argc, char** argv);

// The error box of a fatal start-up error, before any window exists.
void ShowStartupError(const std::string& title, const std::string& text);

}  // namespace brisander
