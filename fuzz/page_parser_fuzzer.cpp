// Feeds arbitrary page texts to the page view's parser and checks that the
// layout it gives stays inside its documented bounds.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "linux/pageview/PageParser.h"

namespace {

bool IsSize(int32_t size) { return size >= -1 && size <= brisander::kMaxPageDimension; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto layout = brisander::ParsePage(text);
  const auto& transition = layout.exitTransition;
  if (!(transition.durationSeconds >= 0.0 &&
        transition.durationSeconds <= brisander::kMaxTransitionSeconds))
    __builtin_trap();
  if (transition.kind == brisander::TransitionKind::kNone && transition.durationSeconds != 0.0)
    __builtin_trap();
  if (!IsSize(layout.tableWidth) || !IsSize(layout.tableHeight) || !IsSize(layout.cellWidth) ||
      !IsSize(layout.cellHeight))
    __builtin_trap();
  if (layout.picturePath.size() > size) __builtin_trap();
  return 0;
}
