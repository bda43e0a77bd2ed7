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

// The part of size that progress has reached, rounded.
int32_t Share(double progress, int32_t size) {
  return std::clamp(static_cast<int32_t>(std::lround(progress * size)), 0, size);
}

void CopyPixels(uint32_t* target, const uint32_t* source, int32_t begin, int32_t end) {
  if (begin < end)
    std::memcpy(target + begin, source + begin,
                static_cast<size_t>(end - begin) * sizeof(uint32_t));
}

}  // namespace

bool TransitionRenderer::Start(const QImage& oldPage, const QImage& newPage,
                               const PageTransition& transition, uint64_t seed) {
  Stop();
  if (oldPage.isNull() || oldPage.size() != newPage.size()) return false;
  if (transition.kind == TransitionKind::kNone) return false;
  std::mt19937_64 engine(seed);
  int32_t pattern = 0;
  if (transition.kind == TransitionKind::kReveal) {
    pattern = transition.pattern;
    if (pattern == kRandomRevealPattern)
      pattern = std::uniform_int_distribution<int32_t>(0, kRevealPatternCount - 1)(engine);
    if (pattern < 0 || pattern >= kRevealPatternCount) return false;
  }

  kind_ = transition.kind;
  pattern_ = pattern;
  old_ = oldPage.convertToFormat(QImage::Format_RGB32);
  new_ = newPage.convertToFormat(QImage::Format_RGB32);
  width_ = old_.width();
  height_ = old_.height();
  maxRadius_ = std::hypot(width_ / 2.0, height_ / 2.0);
  cell_ = 1;
  if (kind_ == TransitionKind::kReveal) {
    switch (pattern_) {
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
  }
  columns_ = CeilDiv(width_, cell_);
  if (RevealsInRandomOrder()) {
    size_t units = pattern_ == kRandomDissolve
                       ? static_cast<size_t>(columns_) * CeilDiv(height_, cell_)
                       : static_cast<size_t>(pattern_ == kRandomBarsHorizontal ? height_ : width_);
    order_.resize(units);
    std::iota(order_.begin(), order_.end(), 0u);
    std::shuffle(order_.begin(), order_.end(), engine);
    rank_.resize(units);
    for (uint32_t place = 0; place < units; ++place) rank_[order_[place]] = place;
  }
  mask_.assign(UsesColumnMask() ? width_ : 0, 0);
  // A row has at most one run per column.
  spans_.reserve(static_cast<size_t>(width_) + 1);
  earlierSpans_.reserve(static_cast<size_t>(width_) + 1);
  renderedKey_ = 0;
  active_ = true;
  return true;
}

void TransitionRenderer::Stop() {
  active_ = false;
  kind_ = TransitionKind::kNone;
  old_ = QImage();
  new_ = QImage();
  order_ = {};
  rank_ = {};
  mask_ = {};
}

void TransitionRenderer::RenderFrame(double progress, QImage& target) {
  if (!active_) return;
  if (target.size() != old_.size() || target.format() != QImage::Format_RGB32)
    target = QImage(old_.size(), QImage::Format_RGB32);
  progress = std::clamp(std::isnan(progress) ? 0.0 : progress, 0.0, 1.0);
  // The cache key changes with every write access, so an equal key means
  // the target still holds the frame written last.
  const bool continues =
      target.cacheKey() == renderedKey_ && renderedProgress_ > 0.0 && progress >= renderedProgress_;
  uint8_t* bits = target.bits();
  const qsizetype bytesPerLine = target.bytesPerLine();
  if (progress == 0.0 || progress == 1.0) {
    const QImage& whole = progress == 1.0 ? new_ : old_;
    std::memcpy(bits, whole.constBits(), static_cast<size_t>(whole.sizeInBytes()));
  } else if (kind_ == TransitionKind::kBlend) {
    RenderBlend(progress, bits, bytesPerLine);
  } else if (continues) {
    RenderRevealSince(ReachAt(renderedProgress_), ReachAt(progress), bits, bytesPerLine);
  } else {
    RenderReveal(ReachAt(progress), bits, bytesPerLine);
  }
  renderedKey_ = target.cacheKey();
  renderedProgress_ = progress;
}

// Byte-wise with 16-bit products, which the compiler turns into wide
// vector multiplies.
void TransitionRenderer::RenderBlend(double progress, uint8_t* target, qsizetype bytesPerLine) {
  const auto weight = static_cast<uint16_t>(std::lround(progress * 256.0));
  const auto keep = static_cast<uint16_t>(256 - weight);
  const size_t count = static_cast<size_t>(bytesPerLine) * height_;
  const uint8_t* __restrict from = old_.constBits();
  const uint8_t* __restrict to = new_.constBits();
  uint8_t* __restrict out = target;
  for (size_t i = 0; i < count; ++i) {
    const auto mix = static_cast<uint16_t>(from[i] * keep + to[i] * weight);
    out[i] = static_cast<uint8_t>(mix >> 8);
  }
}

void TransitionRenderer::RenderReveal(const Reach& now, uint8_t* target, qsizetype bytesPerLine) {
  const bool masked = UsesColumnMask();
  maskRow_ = -1;
  for (int32_t y = 0; y < height_; ++y) {
    auto* __restrict row = reinterpret_cast<uint32_t*>(target + y * bytesPerLine);
    const auto* __restrict from = reinterpret_cast<const uint32_t*>(old_.constScanLine(y));
    const auto* __restrict to = reinterpret_cast<const uint32_t*>(new_.constScanLine(y));
    if (masked) {
      BuildColumnMask(now, y);
      const uint32_t* __restrict mask = mask_.data();
      for (int32_t x = 0; x < width_; ++x) row[x] = (to[x] & mask[x]) | (from[x] & ~mask[x]);
      continue;
    }
    CollectRowSpans(now, y, spans_);
    int32_t x = 0;
    for (const Span& span : spans_) {
      CopyPixels(row, from, x, span.begin);
      CopyPixels(row, to, span.begin, span.end);
      x = span.end;
    }
    CopyPixels(row, from, x, width_);
  }
}

void TransitionRenderer::RenderRevealSince(const Reach& before, const Reach& now, uint8_t* target,
                                           qsizetype bytesPerLine) {
  const auto row = [&](int32_t y) {
    return reinterpret_cast<uint32_t*>(target + y * bytesPerLine);
  };
  const auto newRow = [&](int32_t y) {
    return reinterpret_cast<const uint32_t*>(new_.constScanLine(y));
  };
  if (RevealsInRandomOrder()) {
    for (int32_t place = before.revealed; place < now.revealed; ++place) {
      const int32_t unit = static_cast<int32_t>(order_[place]);
      if (pattern_ == kRandomBarsHorizontal) {
        CopyPixels(row(unit), newRow(unit), 0, width_);
      } else if (pattern_ == kRandomBarsVertical) {
        for (int32_t y = 0; y < height_; ++y) row(y)[unit] = newRow(y)[unit];
      } else {
        const int32_t left = unit % columns_ * cell_;
        const int32_t top = unit / columns_ * cell_;
        for (int32_t y = top; y < std::min(top + cell_, height_); ++y)
          CopyPixels(row(y), newRow(y), left, std::min(left + cell_, width_));
      }
    }
    return;
  }
  for (int32_t y = 0; y < height_; ++y) {
    CollectRowSpans(before, y, earlierSpans_);
    CollectRowSpans(now, y, spans_);
    // Copy the runs of now less those of before; both lists are sorted.
    size_t earlier = 0;
    for (const Span& span : spans_) {
      int32_t x = span.begin;
      while (x < span.end) {
        while (earlier < earlierSpans_.size() && earlierSpans_[earlier].end <= x) ++earlier;
        if (earlier < earlierSpans_.size() && earlierSpans_[earlier].begin <= x) {
          x = earlierSpans_[earlier].end;
          continue;
        }
        const int32_t stop = earlier < earlierSpans_.size()
                                 ? std::min(span.end, earlierSpans_[earlier].begin)
                                 : span.end;
        CopyPixels(row(y), newRow(y), x, stop);
        x = stop;
      }
    }
  }
}

TransitionRenderer::Reach TransitionRenderer::ReachAt(double progress) const {
  int32_t units = 0;
  switch (pattern_) {
    case kRandomDissolve:
    case kRandomBarsHorizontal:
    case kRandomBarsVertical:
      units = static_cast<int32_t>(order_.size());
      break;
    case kStripsLeftDown:
    case kStripsLeftUp:
    case kStripsRightDown:
    case kStripsRightUp:
      units = columns_ + CeilDiv(height_, cell_) - 1;  // diagonals of blocks
      break;
    default:
      break;
  }
  return {progress, Share(progress, units)};
}

bool TransitionRenderer::RevealsInRandomOrder() const {
  return kind_ == TransitionKind::kReveal &&
         (pattern_ == kRandomDissolve || pattern_ == kRandomBarsHorizontal ||
          pattern_ == kRandomBarsVertical);
}

bool TransitionRenderer::UsesColumnMask() const {
  return kind_ == TransitionKind::kReveal &&
         (pattern_ == kRandomDissolve || pattern_ == kRandomBarsVertical);
}

void TransitionRenderer::BuildColumnMask(const Reach& reach, int32_t y) {
  const int32_t cellRow = pattern_ == kRandomDissolve ? y / cell_ : 0;
  if (cellRow == maskRow_) return;
  maskRow_ = cellRow;
  const uint32_t* rank = rank_.data() + static_cast<size_t>(cellRow) * columns_;
  for (int32_t column = 0; column < columns_; ++column) {
    const uint32_t value = rank[column] < static_cast<uint32_t>(reach.revealed) ? kShowNew : 0;
    const int32_t begin = column * cell_;
    std::fill(mask_.begin() + begin, mask_.begin() + std::min(begin + cell_, width_), value);
  }
}

void TransitionRenderer::AddSpan(std::vector<Span>& spans, int32_t begin, int32_t end) const {
  begin = std::max(begin, spans.empty() ? 0 : spans.back().end);
  end = std::min(end, width_);
  if (begin < end) spans.push_back({begin, end});
}

void TransitionRenderer::CollectRowSpans(const Reach& reach, int32_t y,
                                         std::vector<Span>& spans) const {
  spans.clear();
  const double progress = reach.progress;
  const int32_t width = width_;
  const int32_t height = height_;
  switch (pattern_) {
    case kBoxIn: {
      const int32_t keptWidth = width - Share(progress, width);
      const int32_t keptHeight = height - Share(progress, height);
      const int32_t left = (width - keptWidth) / 2;
      const int32_t top = (height - keptHeight) / 2;
      if (y >= top && y < top + keptHeight) {
        AddSpan(spans, 0, left);
        AddSpan(spans, left + keptWidth, width);
      } else {
        AddSpan(spans, 0, width);
      }
      break;
    }
    case kBoxOut: {
      const int32_t boxWidth = Share(progress, width);
      const int32_t boxHeight = Share(progress, height);
      const int32_t top = (height - boxHeight) / 2;
      if (y >= top && y < top + boxHeight)
        AddSpan(spans, (width - boxWidth) / 2, (width - boxWidth) / 2 + boxWidth);
      break;
    }
    case kCircleIn:
    case kCircleOut: {
      const bool growing = pattern_ == kCircleOut;
      const double radius = (growing ? progress : 1.0 - progress) * maxRadius_;
      const double dy = y + 0.5 - height / 2.0;
      const double chord = radius * radius - dy * dy;
      if (chord <= 0) {
        if (!growing) AddSpan(spans, 0, width);
        break;
      }
      const double half = std::min(std::sqrt(chord), width / 2.0 + 1.0);
      const auto left = static_cast<int32_t>(std::lround(width / 2.0 - half));
      const auto right = static_cast<int32_t>(std::lround(width / 2.0 + half));
      if (growing) {
        AddSpan(spans, left, right);
      } else {
        AddSpan(spans, 0, left);
        AddSpan(spans, right, width);
      }
      break;
    }
    case kWipeUp:
      if (y >= height - Share(progress, height)) AddSpan(spans, 0, width);
      break;
    case kWipeDown:
      if (y < Share(progress, height)) AddSpan(spans, 0, width);
      break;
    case kWipeRight:
      AddSpan(spans, 0, Share(progress, width));
      break;
    case kWipeLeft:
      AddSpan(spans, width - Share(progress, width), width);
      break;
    case kVerticalBlinds: {
      const int32_t shown = Share(progress, cell_);
      for (int32_t band = 0; band < width; band += cell_) AddSpan(spans, band, band + shown);
      break;
    }
    case kHorizontalBlinds:
      if (y % cell_ < Share(progress, cell_)) AddSpan(spans, 0, width);
      break;
    case kCheckerboardAcross: {
      // Every other row of squares is offset by half a square.
      const int32_t offset = (y / cell_) % 2 == 1 ? cell_ / 2 : 0;
      const int32_t shown = Share(progress, cell_);
      for (int32_t square = offset > 0 ? offset - cell_ : 0; square < width; square += cell_)
        AddSpan(spans, square, square + shown);
      break;
    }
    case kCheckerboardDown: {
      const int32_t shown = Share(progress, cell_);
      for (int32_t column = 0; column < columns_; ++column) {
        const int32_t offset = column % 2 == 1 ? cell_ / 2 : 0;
        const int32_t inSquare = ((y - offset) % cell_ + cell_) % cell_;
        if (inSquare < shown) AddSpan(spans, column * cell_, (column + 1) * cell_);
      }
      break;
    }
    case kSplitVerticalIn: {
      const int32_t side = Share(progress, (width + 1) / 2);
      AddSpan(spans, 0, side);
      AddSpan(spans, width - side, width);
      break;
    }
    case kSplitVerticalOut: {
      const int32_t shown = Share(progress, width);
      AddSpan(spans, (width - shown) / 2, (width - shown) / 2 + shown);
      break;
    }
    case kSplitHorizontalIn: {
      const int32_t side = Share(progress, (height + 1) / 2);
      if (y < side || y >= height - side) AddSpan(spans, 0, width);
      break;
    }
    case kSplitHorizontalOut: {
      const int32_t shown = Share(progress, height);
      const int32_t top = (height - shown) / 2;
      if (y >= top && y < top + shown) AddSpan(spans, 0, width);
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
      const int32_t shown = std::clamp((reach.revealed - blockRow) * cell_, 0, width);
      if (fromRight)
        AddSpan(spans, width - shown, width);
      else
        AddSpan(spans, 0, shown);
      break;
    }
    case kRandomBarsHorizontal:
      if (rank_[y] < static_cast<uint32_t>(reach.revealed)) AddSpan(spans, 0, width);
      break;
    default:
      break;
  }
}

}  // namespace brisander
