#pragma once
// Composes the frames of a page transition from the old and the new page
// image. Everything that depends only on the pattern and the size (random
// orders, band sizes) is prepared in Start; RenderFrame allocates nothing.
// A reveal frame copies runs of pixels from the two pages, each pixel once;
// as a reveal only ever adds to the new page's region, a frame that follows
// an earlier one in the same untouched target copies only what turned new
// in between.

#include <QImage>
#include <cstdint>
#include <vector>

#include "linux/pageview/PageParser.h"

namespace brisander {

// The reveal patterns, numbered as in the page's transition element.
enum RevealPattern : int32_t {
  kBoxIn,
  kBoxOut,
  kCircleIn,
  kCircleOut,
  kWipeUp,
  kWipeDown,
  kWipeRight,
  kWipeLeft,
  kVerticalBlinds,
  kHorizontalBlinds,
  kCheckerboardAcross,
  kCheckerboardDown,
  kRandomDissolve,
  kSplitVerticalIn,
  kSplitVerticalOut,
  kSplitHorizontalIn,
  kSplitHorizontalOut,
  kStripsLeftDown,
  kStripsLeftUp,
  kStripsRightDown,
  kStripsRightUp,
  kRandomBarsHorizontal,
  kRandomBarsVertical,
  kRevealPatternCount
};

// The sizes of the patterns' parts.
inline constexpr int32_t kBlindCount = 10;       // bands across the view
inline constexpr int32_t kCheckerSquares = 12;   // squares along the longer side
inline constexpr int32_t kStripBlocks = 48;      // blocks along the longer side
inline constexpr int32_t kDissolveCellSize = 4;  // pixels

class TransitionRenderer {
 public:
  // Prepares a transition between two pages of the same size. False for a
  // cut: no transition, a reveal number outside 0..23, or pages that do
  // not match. Reveal 23 picks one of the 23 patterns from the seed, which
  // also orders the random patterns.
  bool Start(const QImage& oldPage, const QImage& newPage, const PageTransition& transition,
             uint64_t seed);
  // Writes the frame at progress 0 (all old) to 1 (all new) into target,
  // which is (re)made only when its size or format does not fit. Any
  // progress may follow any other; the result depends on the progress only.
  void RenderFrame(double progress, QImage& target);
  // Lets go of the page images.
  void Stop();

  bool Active() const { return active_; }
  TransitionKind Kind() const { return kind_; }
  // The reveal pattern played (after the random pick).
  int32_t Pattern() const { return pattern_; }
  // The band, square, block or cell size of the pattern played, in pixels.
  int32_t CellSize() const { return cell_; }

 private:
  struct Span {
    int32_t begin;
    int32_t end;
  };
  // How far a pattern has got at one progress value.
  struct Reach {
    double progress;
    int32_t revealed;  // rows, columns, cells or diagonals that show new
  };

  Reach ReachAt(double progress) const;
  void RenderBlend(double progress, uint8_t* target, qsizetype bytesPerLine);
  // Writes every pixel.
  void RenderReveal(const Reach& now, uint8_t* target, qsizetype bytesPerLine);
  // Writes only what became new since the frame the target holds.
  void RenderRevealSince(const Reach& before, const Reach& now, uint8_t* target,
                         qsizetype bytesPerLine);
  bool UsesColumnMask() const;
  bool RevealsInRandomOrder() const;
  void BuildColumnMask(const Reach& reach, int32_t y);
  void CollectRowSpans(const Reach& reach, int32_t y, std::vector<Span>& spans) const;
  void AddSpan(std::vector<Span>& spans, int32_t begin, int32_t end) const;

  bool active_ = false;
  TransitionKind kind_ = TransitionKind::kNone;
  int32_t pattern_ = 0;
  QImage old_;
  QImage new_;
  int32_t width_ = 0;
  int32_t height_ = 0;

  // Prepared at Start.
  int32_t cell_ = 1;     // square, band, block or cell size
  int32_t columns_ = 0;  // cells across the view
  double maxRadius_ = 0.0;
  std::vector<uint32_t> order_;     // rows, columns or cells in the order they turn new
  std::vector<uint32_t> rank_;      // the inverse: each one's place in that order
  std::vector<uint32_t> mask_;      // per column: all ones where the new page shows
  int32_t maskRow_ = -1;            // the cell row mask_ was built for
  std::vector<Span> spans_;         // runs of the new page in a row
  std::vector<Span> earlierSpans_;  // the same at the frame the target holds

  // The frame last written, to continue from while the target is untouched.
  qint64 renderedKey_ = 0;
  double renderedProgress_ = 0.0;
};

}  // namespace brisander
