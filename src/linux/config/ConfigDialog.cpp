#include "linux/config/ConfigDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDesktopServices>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>
#include <QWindow>
#include <algorithm>

#include "base/AppError.h"
#include "config/Settings.h"
#include "linux/ErrorBox.h"
#include "linux/config/DialogWidgets.h"
#include "linux/X11Windows.h"
#include "resources/JpegDecoder.h"
#include "resources/Pictures.h"

namespace brisander {
namespace {

constexpr int kAboutFirstLineTop = 32;
constexpr int kAboutLineHeight = 13;
constexpr int kComboEntryHeight = 13;
constexpr int kComboVisibleEntries = 20;
constexpr int kLayoutActivePage = 2;  // "About"

QImage DecodeJpegPicture(std::span<const uint8_t> jpeg) {
  const RgbImage decoded = DecodeJpeg(jpeg);
  QImage picture(decoded.pixels.data(), decoded.width, decoded.height, decoded.width * 3,
                 QImage::Format_RGB888);
  return picture.copy();  // owns its pixels once `decoded` is gone
}

QImage LoadBitmapPicture(int number) {
  const auto bytes = FindPictureResource(number);
  return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
}

// Drop-down entries of a fixed height.
class EntryHeightDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kComboEntryHeight};
  }
};

QWidget* NewPage(QTabWidget* pageControl, const char* name, const char* caption) {
  auto* page = new QWidget;
  page->setObjectName(name);
  pageControl->addTab(page, caption);
  return page;
}

template <typename Widget>
Widget* Place(Widget* widget, const char* name, QRect bounds) {
  widget->setObjectName(name);
  widget->setGeometry(bounds);
  return widget;
}

}  // namespace

void ConfigDialogServices::OpenLinkInBrowser(std::string_view url) {
  QDesktopServices::openUrl(QUrl(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size()))));
}

void ConfigDialogServices::DefaultErrorBox(QWidget* owner, const std::string& text) {
  ShowErrorBox(owner, text);
}

TConfig::TConfig(ConfigDialogServices services)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      services_(std::move(services)) {
  setObjectName("TConfig");
  setWindowTitle(kLayoutCaption);
  setFixedSize(513, 401);
  QFont dialogFont;
  dialogFont.setFamilies({"MS Sans Serif", "Sans Serif"});
  dialogFont.setStyleHint(QFont::SansSerif);
  dialogFont.setPixelSize(11);
  setFont(dialogFont);

  PageControl1 = Place(new QTabWidget(this), "PageControl1", {5, 5, 502, 354});
  t1 = NewPage(PageControl1, "t1", "Options");
  t2 = NewPage(PageControl1, "t2", "Links");
  t3 = NewPage(PageControl1, "t3", "About");
  t4 = NewPage(PageControl1, "t4", "Tips");
  BuildOptionsPage();
  BuildLinksPage();
  BuildAboutPage();
  BuildTipsPage();
  PageControl1->setCurrentIndex(kLayoutActivePage);
  BuildButtonPanel();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
  connect(this, &QDialog::finished, this, &TConfig::FormClose);
  FormCreate();
}

TConfig::~TConfig() = default;

void TConfig::BuildOptionsPage() {
  // The frame's top line runs through the middle of the caption, so that
  // the controls inside keep their places below it.
  t1->setStyleSheet(
      "QGroupBox { border: 1px solid palette(mid); margin-top: 6px; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 8px; }");
  auto* GroupBox4 = Place(new QGroupBox(" Transition  ", t1), "GroupBox4", {4, 3, 485, 54});
  comboEffekt = Place(new QComboBox(GroupBox4), "comboEffekt", {10, 20, 447, 21});
  // A drop-down list below the box that shows 20 entries, as the style's
  // own popup would ignore the number of visible entries.
  comboEffekt->setStyleSheet("QComboBox { combobox-popup: 0; }");
  comboEffekt->setItemDelegate(new EntryHeightDelegate(comboEffekt));
  comboEffekt->setMaxVisibleItems(kComboVisibleEntries);
  comboEffekt->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  for (std::string_view name : kEffectNames) {
    comboEffekt->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  }
  comboEffekt->setCurrentIndex(-1);

  auto* GroupBox10 = Place(new QGroupBox(" Info  ", t1), "GroupBox10", {4, 60, 485, 261});
  Image1 = Place(new PictureBox(GroupBox10), "Image1", {12, 14, 445, 241});
  Image1->setCursor(Qt::PointingHandCursor);
  Image1->onClick = [this] { OpenLink(DialogLink::Image1Click); };
}

void TConfig::BuildLinksPage() {
  auto* Image2 = Place(new PictureBox(t2), "Image2", {4, 8, 486, 313});
  Image2->SetPicture(DecodeJpegPicture(FindPictureResource(kLinksPicture)));
  // Bottom to top: where two regions share pixels, the upper one is hit.
  AddHotRegion(t2, "Image9", {296, 16, 193, 305}, DialogLink::Image5Click);
  AddHotRegion(t2, "Image7", {8, 272, 289, 22}, DialogLink::Image7Click);
  AddHotRegion(t2, "Image8", {8, 294, 289, 22}, DialogLink::Image8Click);
  AddHotRegion(t2, "Image6", {8, 208, 289, 65}, DialogLink::Image6Click);
  AddHotRegion(t2, "Image5", {8, 144, 289, 65}, DialogLink::Image5Click);
  AddHotRegion(t2, "Image3", {8, 16, 289, 65}, DialogLink::Image3Click);
  AddHotRegion(t2, "Image4", {8, 80, 289, 65}, DialogLink::StaticText5Click);
}

void TConfig::BuildAboutPage() {
  auto* AboutShape4 = Place(new QFrame(t3), "AboutShape4", {4, 8, 486, 310});
  AboutShape4->setFrameStyle(QFrame::Box | QFrame::Plain);
  QPalette card = AboutShape4->palette();
  card.setColor(QPalette::Window, Qt::white);
  card.setColor(QPalette::WindowText, Qt::gray);
  AboutShape4->setPalette(card);
  AboutShape4->setAutoFillBackground(true);

  auto* Image10 = Place(new PictureBox(t3), "Image10", {344, 100, 100, 100});
  Image10->SetPicture(LoadBitmapPicture(kLogoPicture));
  Image10->setCursor(Qt::PointingHandCursor);
  Image10->onClick = [this] { OpenLink(DialogLink::StaticText5Click); };

  Memo1 = Place(new QTextEdit(t3), "Memo1", {6, 32, 323, 273});
  Memo1->setReadOnly(true);
  Memo1->setFrameStyle(QFrame::NoFrame);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setFocusPolicy(Qt::ClickFocus);
  Memo1->viewport()->setCursor(Qt::ArrowCursor);
  QPalette paper = Memo1->palette();
  paper.setColor(QPalette::Base, Qt::white);
  Memo1->setPalette(paper);
  Memo1->document()->setDocumentMargin(0);
  QStringList lines;
  for (std::string_view line : kAboutLines) {
    lines << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
  }
  Memo1->setPlainText(lines.join('\n'));
  QTextBlockFormat centredLine;
  centredLine.setAlignment(Qt::AlignHCenter);
  centredLine.setLineHeight(kAboutLineHeight, QTextBlockFormat::FixedHeight);
  QTextCursor everything(Memo1->document());
  everything.select(QTextCursor::Document);
  everything.mergeBlockFormat(centredLine);

  // Each label lies exactly over the value line that it repeats, its text
  // centred where the memo centres the line, so that the value reads as a
  // link.
  const int memoCentreTwice = 2 * Memo1->x() + Memo1->width();
  const auto addLinkLabel = [this, memoCentreTwice](const char* name, AboutLinkLabel label,
                                                    int left, int width) {
    const std::string_view text = AboutLabelText(label);
    auto* linkLabel = new LinkLabel(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), t3);
    const int top = kAboutFirstLineTop + kAboutLineHeight * (label.line - 1);
    Place(linkLabel, name, {left, top, width, 17});
    linkLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const int shift = 2 * left + width - memoCentreTwice;
    linkLabel->setContentsMargins(std::max(0, -shift), 0, std::max(0, shift), 0);
    linkLabel->onClick = [this, link = label.link] { OpenLink(link); };
  };
  addLinkLabel("StaticText5", kAboutCodingLabel, 124, 89);
  addLinkLabel("StaticText1", kAboutPhotosLabel, 124, 89);
  addLinkLabel("StaticText2", kAboutNameLabel, 103, 147);

  auto* Button1 = Place(new QPushButton("Donate...", t3), "Button1", {344, 229, 100, 25});
  connect(Button1, &QPushButton::clicked, this, [this] { OpenLink(DialogLink::Button1Click); });
}

void TConfig::BuildTipsPage() {
  auto* Image14 = Place(new PictureBox(t4), "Image14", {4, 8, 486, 313});
  Image14->SetPicture(DecodeJpegPicture(FindPictureResource(kTipsPicture)));
  AddHotRegion(t4, "Image11", {256, 176, 225, 137}, DialogLink::Image11Click);
  AddHotRegion(t4, "Image12", {16, 176, 217, 137}, DialogLink::Image12Click);
  AddHotRegion(t4, "Image13", {16, 14, 465, 137}, DialogLink::Image13Click);
}

void TConfig::BuildButtonPanel() {
  auto* Panel1 = Place(new QWidget(this), "Panel1", {0, 360, 513, 41});
  Button10 = Place(new QPushButton("Cancel", Panel1), "Button10", {424, 8, 83, 25});
  Button9 = Place(new QPushButton("OK", Panel1), "Button9", {332, 8, 83, 25});
  Button9->setDefault(true);
  connect(Button10, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button9, &QPushButton::clicked, this, &TConfig::Button9Click);
}

void TConfig::AddHotRegion(QWidget* page, const char* name, QRect bounds, DialogLink link) {
  auto* region = Place(new PictureBox(page), name, bounds);
  region->setCursor(Qt::PointingHandCursor);
  region->onClick = [this, link] { OpenLink(link); };
}

void TConfig::OpenLink(DialogLink link) { services_.openLink(LinkUrl(link)); }

void TConfig::FormCreate() {
  try {
    TJPEGImage info;
    info.LoadFromResource(kInfoPicture);
    Image1->SetPicture(DecodeJpegPicture(info.Bytes()));
    LoadSettings();
    setWindowTitle(kCaption);
  } catch (const std::exception& error) {
    // As the class library does: report, and go on with the dialog as far
    // as it was made.
    services_.showError(nullptr, ErrorBoxText(error.what()));
  }
}

void TConfig::LoadSettings() {
  PageControl1->setCurrentWidget(t4);
  const EffectIndex effect = ReadEffectSetting(*services_.registry);
  comboEffekt->setCurrentIndex(effect >= 0 && effect < comboEffekt->count() ? effect : -1);
}

void TConfig::SaveSettings() { WriteEffectSetting(comboEffekt->currentIndex(), *services_.registry); }

void TConfig::Button9Click() {
  try {
    SaveSettings();
  } catch (const std::exception& error) {
    // The dialog closes only after the write, so the user may try again.
    services_.showError(this, ErrorBoxText(error.what()));
    return;
  }
  accept();
}

void TConfig::keyPressEvent(QKeyEvent* event) {
  // Escape is bound to nothing; QDialog would close on it.
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

// An X11 window of another process cannot be disabled for input from here,
// as the owner of a Windows dialog is. The dialog instead becomes transient
// for it and window-modal, which Qt announces as _NET_WM_STATE_MODAL: a
// window manager then keeps the dialog above its owner and may refuse the
// owner's input. Desktop task bars list no entry of their own for a
// transient dialog, which stands for hiding the application's task bar
// button. A number that names no window cannot own the dialog, which then
// opens without an owner.
void TConfig::BindToOwner(int32_t parentWindow) {
  const auto window = static_cast<uint32_t>(parentWindow);
  if (window == 0 || !X11WindowExists(window)) return;
  owner_.reset(QWindow::fromWinId(window));
  setWindowModality(Qt::WindowModal);
  winId();  // creates the dialog's window so that it can take its owner
  windowHandle()->setTransientParent(owner_.get());
}

// Gives the owner back the foreground, as far as the window manager lets a
// client ask for it.
void TConfig::FormClose() {
  if (owner_) ActivateX11Window(static_cast<uint32_t>(owner_->winId()));
}

}  // namespace brisander
