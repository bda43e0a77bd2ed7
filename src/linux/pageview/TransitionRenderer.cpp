#include "linux/pageview/TransitionRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <random>

namespace brisander {
namespace {

constexpr uint32_t kShowNew = 0xFFFFFFFFu;

int32_t CeilDiv(int32_t a, int32_t b) { return (a + b - 1) / b; }

void CopyPixels(uint32_t* target, const uint32_t* source, int32_t begin, int32_t end) {
  std::memcpy(target + begin, source + begin, static_cast<size_t>(end - begin) * sizeof(uint32_t));
}

std::vector<uint32_t> RandomOrder(size_t count, std::mt19937_64& engine) {
  std::vector<uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0u);
  std::shuffle(order.begin(), order.end(), engine);
  return order;
}

}  // namespace

bool TransitionRenderer::Start(const QImage& oldPage, const QImage& newPage,
                               const PageTransition& transition, uint64_t seed) {
  Stop();
  if (oldPage.isNull() || oldPage.size() != newPage.size()) return false;
  std::mt19937_64 engine(seed);
  int32_t pattern = transition.pattern;
  if (transition.kind == TransitionKind::kNone) return false;
  if (transition.kind == TransitionKind::kReveal) {
    if (pattern == kRandomRevealPattern)
      pattern = std::uniform_int_distribution<int32_t>(0, kRevealPatternCount - 1)(engine);
    if (pattern < 0 || pattern >= kRevealPatternCount) return false;
  }

  kind_ = transition.kind;
  pattern_ = kind_ == TransitionKind::kReveal ? pattern : 0;
  old_ = oldPage.convertToFormat(QImage::Format_RGB32);
  new_ = newPage.convertToFormat(QImage::Format_RGB32);
  width_ = old_.width();
  height_ = old_.height();
  cell_ = 1;
  maxRadius_ = std::hypot(width_ / 2.0, height_ / 2.0);
  switch (kind_ == TransitionKind::kReveal ? pattern_ : -1) {
    case kVerticalBlinds:
      cell_ = CeilDiv(width_, kBlindCount);
      break;
    case kHorizontalBlinds:
      cell_ = CeilDiv(height_, kBlindCount);
      break;
    case kCheckerboardAcross:
    case kCheckerboardDown:
      cell_ = CeilDiv(std::max(width_, height_), kCheckerSquares);
      break;
    case kStripsLeftDown:
    case kStripsLeftUp:
    case kStripsRightDown:
    case kStripsRightUp:
      cell_ = CeilDiv(std::max(width_, height_), kStripBlocks);
      break;
    case kRandomDissolve:
      cell_ = kDissolveCellSize;
      break;
    default:
      break;
  }
  columns_ = CeilDiv(width_, cell_);
  if (kind_ == TransitionKind::kReveal) {
    if (pattern_ == kRandomDissolve)
      rank_ = RandomOrder(static_cast<size_t>(columns_) * CeilDiv(height_, cell_), engine);
    else if (pattern_ == kRandomBarsHorizontal)
      rank_ = RandomOrder(height_, engine);
    else if (pattern_ == kRandomBarsVertical)
      rank_ = RandomOrder(width_, engine);
  }
  mask_.assign(UsesColumnMask() ? width_ : 0, 0);
  // At most one run per column plus the gap-free extremes.
  spans_.reserve(static_cast<size_t>(width_) + 2);
  active_ = true;
  return true;
}

void TransitionRenderer::Stop() {
  active_ = false;
  kind_ = TransitionKind::kNone;
  old_ = QImage();
  new_ = QImage();
  rank_ = {};
  mask_ = {};
}

void TransitionRenderer::RenderFrame(double progress, QImage& target) {
  if (!active_) return;
  if (target.size() != old_.size() || target.format() != QImage::Format_RGB32)
    target = QImage(old_.size(), QImage::Format_RGB32);
  uint8_t* bits = target.bits();
  qsizetype bytesPerLine = target.bytesPerLine();
  if (!(progress > 0.0) || progress >= 1.0) {
    const QImage& whole = progress >= 1.0 ? new_ : old_;
    std::memcpy(bits, whole.constBits(), static_cast<size_t>(whole.sizeInBytes()));
    return;
  }
  if (kind_ == TransitionKind::kBlend)
    RenderBlend(progress, bits, bytesPerLine);
  else
    RenderReveal(progress, bits, bytesPerLine);
}

// Byte-wise with 16-bit products, which the compiler turns into wide
// vector multiplies.
void TransitionRenderer::RenderBlend(double progress, uint8_t* target, qsizetype bytesPerLine) {
  const auto weight = static_cast<uint16_t>(std::lround(progress * 256.0));
  const auto keep = static_cast<uint16_t>(256 - weight);
  const size_t count = static_cast<size_t>(bytesPerLine) * height_;
  const uint8_t* from = old_.constBits();
  const uint8_t* to = new_.constBits();
  for (size_t i = 0; i < count; ++i) {
    const auto mix = static_cast<uint16_t>(from[i] * keep + to[i] * weight);
    target[i] = static_cast<uint8_t>(mix >> 8);
  }
}

void TransitionRenderer::RenderReveal(double progress, uint8_t* target, qsizetype bytesPerLine) {
  PrepareFrame(progress);
  const bool masked = UsesColumnMask();
  for (int32_t y = 0; y < height_; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(target + y * bytesPerLine);
    const auto* from = reinterpret_cast<const uint32_t*>(old_.constScanLine(y));
    const auto* to = reinterpret_cast<const uint32_t*>(new_.constScanLine(y));
    if (masked) {
      BuildColumnMask(y);
      const uint32_t* mask = mask_.data();
      for (int32_t x = 0; x < width_; ++x) row[x] = (to[x] & mask[x]) | (from[x] & ~mask[x]);
      continue;
    }
    CollectRowSpans(y);
    int32_t x = 0;
    for (const Span& span : spans_) {
      CopyPixels(row, from, x, span.begin);
      CopyPixels(row, to, span.begin, span.end);
      x = span.end;
    }
    CopyPixels(row, from, x, width_);
  }
}

int32_t TransitionRenderer::Share(int32_t size) const {
  return std::clamp(static_cast<int32_t>(std::lround(progress_ * size)), 0, size);
}

void TransitionRenderer::PrepareFrame(double progress) {
  progress_ = progress;
  maskRow_ = -1;
  switch (pattern_) {
    case kRandomDissolve:
    case kRandomBarsHorizontal:
    case kRandomBarsVertical:
      revealed_ = Share(static_cast<int32_t>(rank_.size()));
      break;
    case kStripsLeftDown:
    case kStripsLeftUp:
    case kStripsRightDown:
    case kStripsRightUp:
      revealed_ = Share(columns_ + CeilDiv(height_, cell_) - 1);
      break;
    default:
      revealed_ = 0;
  }
}

bool TransitionRenderer::UsesColumnMask() const {
  return kind_ == TransitionKind::kReveal &&
         (pattern_ == kRandomDissolve || pattern_ == kRandomBarsVertical);
}

void TransitionRenderer::BuildColumnMask(int32_t y) {
  const int32_t cellRow = pattern_ == kRandomDissolve ? y / cell_ : 0;
  if (cellRow == maskRow_) return;
  maskRow_ = cellRow;
  const uint32_t* rank = rank_.data() + static_cast<size_t>(cellRow) * columns_;
  for (int32_t column = 0; column < columns_; ++column) {
    const uint32_t value = rank[column] < static_cast<uint32_t>(revealed_) ? kShowNew : 0;
    const int32_t begin = column * cell_;
    std::fill(mask_.begin() + begin, mask_.begin() + std::min(begin + cell_, width_), value);
  }
}

void TransitionRenderer::AddSpan(int32_t begin, int32_t end) {
  begin = std::max(begin, spans_.empty() ? 0 : spans_.back().end);
  end = std::min(end, width_);
  if (begin < end) spans_.push_back({begin, end});
}

void TransitionRenderer::CollectRowSpans(int32_t y) {
  spans_.clear();
  const int32_t width = width_;
  const int32_t height = height_;
  switch (pattern_) {
    case kBoxIn: {
      const int32_t keptWidth = width - Share(width);
      const int32_t keptHeight = height - Share(height);
      const int32_t left = (width - keptWidth) / 2;
      const int32_t top = (height - keptHeight) / 2;
      if (y >= top && y < top + keptHeight) {
        AddSpan(0, left);
        AddSpan(left + keptWidth, width);
      } else {
        AddSpan(0, width);
      }
      break;
    }
    case kBoxOut: {
      const int32_t boxWidth = Share(width);
      const int32_t boxHeight = Share(height);
      const int32_t top = (height - boxHeight) / 2;
      if (y >= top && y < top + boxHeight) AddSpan((width - boxWidth) / 2, (width + boxWidth) / 2);
      break;
    }
    case kCircleIn:
    case kCircleOut: {
      const bool growing = pattern_ == kCircleOut;
      const double radius = (growing ? progress_ : 1.0 - progress_) * maxRadius_;
      const double dy = y + 0.5 - height / 2.0;
      const double chord = radius * radius - dy * dy;
      if (chord <= 0) {
        if (!growing) AddSpan(0, width);
        break;
      }
      const double half = std::sqrt(chord);
      const auto left = static_cast<int32_t>(std::lround(std::max(width / 2.0 - half, -1.0)));
      const auto right = static_cast<int32_t>(std::lround(std::min(width / 2.0 + half, width + 1.0)));
      if (growing) {
        AddSpan(left, right);
      } else {
        AddSpan(0, left);
        AddSpan(right, width);
      }
      break;
    }
    case kWipeUp:
      if (y >= height - Share(height)) AddSpan(0, width);
      break;
    case kWipeDown:
      if (y < Share(height)) AddSpan(0, width);
      break;
    case kWipeRight:
      AddSpan(0, Share(width));
      break;
    case kWipeLeft:
      AddSpan(width - Share(width), width);
      break;
    case kVerticalBlinds: {
      const int32_t shown = Share(cell_);
      for (int32_t band = 0; band < width; band += cell_) AddSpan(band, band + shown);
      break;
    }
    case kHorizontalBlinds:
      if (y % cell_ < Share(cell_)) AddSpan(0, width);
      break;
    case kCheckerboardAcross: {
      const int32_t offset = (y / cell_) % 2 == 1 ? cell_ / 2 : 0;
      const int32_t shown = Share(cell_);
      for (int32_t square = offset > 0 ? offset - cell_ : 0; square < width; square += cell_)
        AddSpan(square, square + shown);
      break;
    }
    case kCheckerboardDown: {
      const int32_t shown = Share(cell_);
      for (int32_t column = 0; column < columns_; ++column) {
        const int32_t offset = column % 2 == 1 ? cell_ / 2 : 0;
        const int32_t inSquare = ((y - offset) % cell_ + cell_) % cell_;
        if (inSquare < shown) AddSpan(column * cell_, (column + 1) * cell_);
      }
      break;
    }
    case kSplitVerticalIn: {
      const int32_t side = Share((width + 1) / 2);
      AddSpan(0, side);
      AddSpan(width - side, width);
      break;
    }
    case kSplitVerticalOut: {
      const int32_t shown = Share(width);
      AddSpan((width - shown) / 2, (width + shown) / 2);
      break;
    }
    case kSplitHorizontalIn: {
      const int32_t side = Share((height + 1) / 2);
      if (y < side || y >= height - side) AddSpan(0, width);
      break;
    }
    case kSplitHorizontalOut: {
      const int32_t shown = Share(height);
      if (y >= (height - shown) / 2 && y < (height + shown) / 2) AddSpan(0, width);
      break;
    }
    case kStripsLeftDown:
    case kStripsLeftUp:
    case kStripsRightDown:
    case kStripsRightUp: {
      // Block (i, j), counted from the corner the front starts in, shows new
      // once the front has passed diagonal i + j: a staircase edge.
      const bool fromRight = pattern_ == kStripsLeftDown || pattern_ == kStripsLeftUp;
      const bool fromBottom = pattern_ == kStripsLeftUp || pattern_ == kStripsRightUp;
      const int32_t blockRow = (fromBottom ? height - 1 - y : y) / cell_;
      const int32_t shown = std::clamp((revealed_ - blockRow) * cell_, 0, width);
      if (fromRight)
        AddSpan(width - shown, width);
      else
        AddSpan(0, shown);
      break;
    }
    case kRandomBarsHorizontal:
      if (rank_[y] < static_cast<uint32_t>(revealed_)) AddSpan(0, width);
      break;
    default:
      break;
  }
}

}  // namespace brisander
