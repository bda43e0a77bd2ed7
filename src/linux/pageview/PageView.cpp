#include "linux/pageview/PageView.h"


#include <QPaintEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "base/AppError.h"
#include "resources/JpegDecoder.h"
#include "resources/Pictures.h"
#include "slideshow/BrowserSettingsGuard.h"

namespace brisander {
namespace {

constexpr double kDefaultRefreshRate = 60.0;
// A picture larger than this on the page is not drawn: it could only come
// from a broken page, and the screen shows a small part of it anyway.
constexpr int64_t kMaxShownPixels = int64_t{1} << 26;

const QColor kFrameColour(0x80, 0x80, 0x80);
const QColor kScrollBarColour(0xD4, 0xD0, 0xC8);

// The whole file, read and closed again; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) return std::nullopt;
  return bytes;
}

// The picture's size on the page: one side follows the cell, the other
// keeps the photo's aspect.
QSize ShownSize(PictureFit fit, QSize cell, QSize photo) {
  switch (fit) {
    case PictureFit::kWidth:
      return {cell.width(),
              static_cast<int>(std::lround(double(photo.height()) * cell.width() / photo.width()))};
    case PictureFit::kHeight:
      return {static_cast<int>(std::lround(double(photo.width()) * cell.height() / photo.height())),
              cell.height()};
    case PictureFit::kNone:
      break;
  }
  return photo;
}

// Decodes at the smallest DCT scale that is still at least the shown size,
// then scales once to it.
QImage DecodeForShownSize(const std::string& jpeg, PictureFit fit, QSize cell) {
  const auto* data = reinterpret_cast<const uint8_t*>(jpeg.data());
  std::span<const uint8_t> bytes(data, jpeg.size());
  try {
    const JpegHeader header = ReadJpegHeader(bytes);
    const QSize photo(header.width, header.height);
    if (photo.isEmpty()) return {};
    const QSize shown = ShownSize(fit, cell, photo);
    if (shown.isEmpty() || int64_t{shown.width()} * shown.height() > kMaxShownPixels) return {};
    const RgbImage decoded = DecodeJpeg(bytes, shown.width(), shown.height());
    const QImage view(decoded.pixels.data(), decoded.width, decoded.height, decoded.width * 3,
                      QImage::Format_RGB888);
    // Both branches copy the pixels out of `decoded` before it goes.
    if (view.size() == shown) return view.convertToFormat(QImage::Format_RGB32);
    return view.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
  } catch (const std::exception&) {
    // Bad JPEG data (an AppError) or a picture too large to hold.
    return {};
  }
}

}  // namespace

PageView::PageView(QWidget* parent, RegistryBackend& registry)
    : QWidget(parent), registry_(registry) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] {
    // Also ends a transition that is never painted, in a hidden view.
    if (clock_.elapsed() >= durationMs_) FinishTransition();
    update(PageArea());
  });
  if (const char* log = std::getenv("BRISANDER_FRAME_LOG"); log && *log)
    frameLog_ = std::fopen(log, "a");
  ComposePage();
}

PageView::~PageView() {
  if (frameLog_) std::fclose(frameLog_);
}

int PageView::ClientWidth() const { return width() - 2 * kPageViewFrame; }

void PageView::SetClientWidth(int width) { resize(width + 2 * kPageViewFrame, height()); }

QRect PageView::PageArea() const {
  const int inset = kPageViewFrame;
  return {inset, inset, std::max(0, width() - 2 * inset - kScrollBarArrowSize),
          std::max(0, height() - 2 * inset - kScrollBarArrowSize)};
}

void PageView::Navigate(const std::string& path) {
  LogEvent("navigate");
  const bool playTransition = PageTransitionsOn();
  navigationSound_.Play();
  const PageTransition exit = layout_.exitTransition;
  // What the screen shows now is where the transition starts from.
  if (renderer_.Active())
    renderer_.RenderFrame(std::min(clock_.elapsed() / durationMs_, 1.0), frame_);
  QImage leaving = renderer_.Active() ? std::exchange(frame_, QImage()) : std::move(page_);
  FinishTransition();

  layout_ = PageLayout{};
  pictureJpeg_.clear();
  if (auto text = ReadWholeFile(path)) {
    layout_ = ParsePage(*text);
    LoadPicture(path);
  }
  page_ = QImage();
  ComposePage();

  if (playTransition && exit.durationSeconds > 0 &&
      renderer_.Start(leaving, page_, exit, QRandomGenerator::global()->generate64())) {
    durationMs_ = exit.durationSeconds * 1000.0;
    timer_.setInterval(FrameIntervalMs());
    clock_.start();
    timer_.start();
  }
  update();
}

// One frame per refresh of the screen the view is on.
int PageView::FrameIntervalMs() const {
  const QScreen* display = screen();
  const double rate =
      display && display->refreshRate() > 1.0 ? display->refreshRate() : kDefaultRefreshRate;
  return std::clamp(static_cast<int>(1000.0 / rate), 4, 40);
}

void PageView::LoadPicture(const std::string& pagePath) {
  if (layout_.picturePath.empty()) return;
  std::filesystem::path picture(layout_.picturePath);
  if (picture.is_relative()) picture = std::filesystem::path(pagePath).parent_path() / picture;
  if (auto jpeg = ReadWholeFile(picture)) pictureJpeg_ = std::move(*jpeg);
}

QRect PageView::CellRect() const {
  const QRect area = PageArea();
  return {0, 0, layout_.cellWidth >= 0 ? layout_.cellWidth : area.width(),
          layout_.cellHeight >= 0 ? layout_.cellHeight : area.height()};
}

// The photo is decoded here, before the page is made, and dropped once
// drawn: at full-screen size each of the two is a large share of the memory
// the show needs.
void PageView::ComposePage() {
  const QSize size = PageArea().size();
  const QRect cell = CellRect();
  const QImage picture = pictureJpeg_.empty() || size.isEmpty()
                             ? QImage()
                             : DecodeForShownSize(pictureJpeg_, layout_.fit, cell.size());
  if (page_.size() != size) page_ = QImage(size, QImage::Format_RGB32);
  page_.fill(QColor::fromRgb(layout_.background));
  if (picture.isNull()) return;
  // The cell centres the picture; one larger than the cell starts at its
  // top left and is cut off at the cell's edges.
  const QPoint topLeft(std::max(0, (cell.width() - picture.width()) / 2),
                       std::max(0, (cell.height() - picture.height()) / 2));
  QPainter painter(&page_);
  painter.setClipRect(cell);
  painter.drawImage(topLeft, picture);
}

bool PageView::PageTransitionsOn() {
  // As in the browser this view stands for, transitions are on unless the
  // user switched them off: a store without the setting plays them too.
  try {
    TRegistry registry(registry_);
    if (!registry.OpenKey(kBrowserMainKey, false)) return true;
    if (!registry.ValueExists(kPageTransitionsValueName)) return true;
    return registry.ReadInteger(kPageTransitionsValueName) == 1;
  } catch (const AppError&) {
    return false;
  }
}

void PageView::FinishTransition() {
  timer_.stop();
  renderer_.Stop();
  // A full-screen frame is large; it is only needed while a transition runs.
  frame_ = QImage();
}

void PageView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = PageArea();
  if (page_.size() != area.size()) {
    FinishTransition();
    ComposePage();
  }
  if (!area.contains(event->rect())) {
    // The frame and the two scroll-bar strips with their corner.
    painter.fillRect(rect(), kFrameColour);
    painter.fillRect(area.right() + 1, area.top(), kScrollBarArrowSize,
                     area.height() + kScrollBarArrowSize, kScrollBarColour);
    painter.fillRect(area.left(), area.bottom() + 1, area.width(), kScrollBarArrowSize,
                     kScrollBarColour);
  }
  if (renderer_.Active()) {
    const double progress = clock_.elapsed() / durationMs_;
    if (progress < 1.0) {
      renderer_.RenderFrame(progress, frame_);
      painter.drawImage(area.topLeft(), frame_);
      LogEvent("frame");
      return;
    }
    FinishTransition();
  }
  painter.drawImage(area.topLeft(), page_);
  LogEvent("frame");
}

void PageView::resizeEvent(QResizeEvent*) {
  FinishTransition();
  ComposePage();
}

void PageView::LogEvent(const char* what) {
  if (!frameLog_) return;
  const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  std::fprintf(frameLog_, "%lld %s\n", static_cast<long long>(now.count()), what);
  std::fflush(frameLog_);
}

}  // namespace brisander
