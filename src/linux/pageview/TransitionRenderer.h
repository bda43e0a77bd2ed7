#pragma once
// Composes the frames of a page transition from the old and the new page
// image. Everything that depends only on the pattern and the size (random
// orders, band sizes) is prepared in Start; RenderFrame then writes each
// pixel of the target once, copying rows or runs from the two pages, so a
// frame costs about one copy of the view and allocates nothing.

#include <QImage>
#include <cstdint>
#include <vector>

#include "linux/pageview/PageParser.h"

namespace brisander {

// The reveal patterns, numbered as in the page's transition element.
enum RevealPattern : int32_t {
  kBoxIn, kBoxOut, kCircleIn, kCircleOut,
  kWipeUp, kWipeDown, kWipeRight, kWipeLeft,
  kVerticalBlinds, kHorizontalBlinds, kCheckerboardAcross, kCheckerboardDown,
  kRandomDissolve,
  kSplitVerticalIn, kSplitVerticalOut, kSplitHorizontalIn, kSplitHorizontalOut,
  kStripsLeftDown, kStripsLeftUp, kStripsRightDown, kStripsRightUp,
  kRandomBarsHorizontal, kRandomBarsVertical,
  kRevealPatternCount
};

// The sizes of the patterns' parts.
inline constexpr int32_t kBlindCount = 10;         // bands across the view
inline constexpr int32_t kCheckerSquares = 12;     // squares along the longer side
inline constexpr int32_t kStripBlocks = 48;        // blocks along the longer side
inline constexpr int32_t kDissolveCellSize = 4;    // pixels

class TransitionRenderer {
 public:
  // Prepares a transition between two pages of the same size. False for a
  // cut: no transition, a reveal number outside 0..23, or pages that do
  // not match. Reveal 23 picks one of the 23 patterns from the seed, which
  // also orders the random patterns.
  bool Start(const QImage& oldPage, const QImage& newPage, const PageTransition& transition,
             uint64_t seed);
  // Writes the frame at progress 0 (all old) to 1 (all new) into target,
  // which is (re)made only when its size or format does not fit.
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

  void RenderBlend(double progress, uint8_t* target, qsizetype bytesPerLine);
  void RenderReveal(double progress, uint8_t* target, qsizetype bytesPerLine);
  void PrepareFrame(double progress);
  bool UsesColumnMask() const;
  void BuildColumnMask(int32_t y);
  void CollectRowSpans(int32_t y);
  void AddSpan(int32_t begin, int32_t end);
  int32_t Share(int32_t size) const;

  bool active_ = false;
  TransitionKind kind_ = TransitionKind::kNone;
  int32_t pattern_ = 0;
  QImage old_;
  QImage new_;
  int32_t width_ = 0;
  int32_t height_ = 0;

  // Prepared at Start.
  int32_t cell_ = 1;                 // square, band, block or cell size
  int32_t columns_ = 0;              // cells across the view
  std::vector<uint32_t> rank_;       // random order of rows, columns or cells
  std::vector<uint32_t> mask_;       // per column: all ones where the new page shows
  std::vector<Span> spans_;          // runs of the new page in the current row
  int32_t maskRow_ = -1;             // the cell row mask_ was built for
  double maxRadius_ = 0.0;

  // Per frame.
  double progress_ = 0.0;
  int32_t revealed_ = 0;             // how many rows, columns, cells or diagonals show new
};

}  // namespace brisander
