#pragma once
// The page view: shows the slideshow's page files the way the web browser
// control of the Windows build renders them, and plays the exit transition
// of the page it leaves. Like that control it has a 2-pixel frame and a
// scroll-bar strip on its right and bottom, which the slideshow window keeps
// out of sight by placing the view beyond its edges.

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <string>

#include "base/Registry.h"
#include "linux/pageview/NavigationSound.h"
#include "linux/pageview/PageParser.h"
#include "linux/pageview/TransitionRenderer.h"

namespace brisander {

// Width of the vertical and height of the horizontal scroll-bar strip (the
// system metrics 20 and 21 of the slideshow window).
inline constexpr int kScrollBarArrowSize = 16;
inline constexpr int kPageViewFrame = 2;

class PageView : public QWidget {
  Q_OBJECT

 public:
  explicit PageView(QWidget* parent = nullptr, RegistryBackend& registry = CurrentUserRegistry());
  ~PageView() override;

  // Shows the page file at path, reading it and its picture afresh and
  // holding neither open. A page that cannot be read shows black. Plays the
  // exit transition of the page left when page transitions are on in the
  // store. Never throws.
  void Navigate(const std::string& path);

  // The width inside the frame (page area plus the vertical scroll bar).
  int ClientWidth() const;
  void SetClientWidth(int width);

  // The rectangle, in the view's coordinates, in which pages are drawn.
  QRect PageArea() const;
  // The page currently shown, as composed at the page area's size.
  const QImage& PageImage() const { return page_; }
  const PageLayout& Layout() const { return layout_; }
  bool TransitionRunning() const { return timer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool PageTransitionsOn();
  void LoadPicture(const std::string& pagePath);
  // The table cell that holds the picture, in page coordinates.
  QRect CellRect() const;
  void ComposePage();
  int FrameIntervalMs() const;
  void FinishTransition();
  // One line per painted frame and per navigation, "<ms since the epoch>
  // frame|navigate", to the file BRISANDER_FRAME_LOG names; for measuring.
  void LogEvent(const char* what);

  RegistryBackend& registry_;
  NavigationSound navigationSound_{registry_};
  PageLayout layout_;
  std::string pictureJpeg_;  // the photo's file as read at navigation
  QImage page_;     // the whole page at the page area's size
  QImage frame_;    // the transition frame being shown
  TransitionRenderer renderer_;
  QTimer timer_;
  QElapsedTimer clock_;
  double durationMs_ = 0.0;
  std::FILE* frameLog_ = nullptr;
};

}  // namespace brisander
