// The configuration dialog: its layout at 96 DPI, where a click lands, how
// it reads and stores the transition, and its keys.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextEdit>
#include <optional>
#include <vector>

#include "config/DialogContent.h"
#include "config/Settings.h"
#include "fakes/FakeRegistry.h"
#include "linux/config/ConfigDialog.h"
#include "linux/config/DialogWidgets.h"

namespace brisander {
namespace {

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "config_dialog_test";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance()) new QApplication(argc, argv);
}

std::string Describe(const RegValue& value) {
  std::string text = "type " + std::to_string(value.type) + ":";
  for (uint8_t byte : value.data) text += " " + std::to_string(byte);
  return text;
}

class ConfigDialogTest : public testing::Test {
 protected:
  void SetUp() override { EnsureApplication(); }

  void Store(const RegValue& value) { registry.keys[kSettingsKey][kEffectValueName] = value; }
  // The stored value as type and data bytes, "none" when there is none.
  std::string Stored() {
    auto& values = registry.keys[kSettingsKey];
    auto it = values.find(kEffectValueName);
    return it == values.end() ? "none" : Describe(it->second);
  }

  TConfig& Open() {
    ConfigDialogServices services;
    services.registry = &registry;
    services.openLink = [this](std::string_view url) { openedLinks.emplace_back(url); };
    services.showError = [this](QWidget* owner, const std::string& text) {
      errors.push_back({owner, text});
    };
    dialog.emplace(std::move(services));
    return *dialog;
  }

  template <typename Widget = QWidget>
  Widget* Find(const char* name) {
    auto* widget = dialog->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  QComboBox* Combo() { return Find<QComboBox>("comboEffekt"); }
  QTabWidget* Pages() { return Find<QTabWidget>("PageControl1"); }

  struct ErrorBox {
    QWidget* owner;
    std::string text;
  };

  FakeRegistry registry;
  std::vector<std::string> openedLinks;
  std::vector<ErrorBox> errors;
  std::optional<TConfig> dialog;
};

// ---- Layout ----------------------------------------------------------------

struct Placement {
  const char* name;
  const char* parent;
  QRect bounds;
  bool handCursor;
};

const Placement kPlacements[] = {
    {"PageControl1", "TConfig", {5, 5, 502, 354}, false},
    {"Panel1", "TConfig", {0, 360, 513, 41}, false},
    {"Button10", "Panel1", {424, 8, 83, 25}, false},
    {"Button9", "Panel1", {332, 8, 83, 25}, false},
    {"GroupBox4", "t1", {4, 3, 485, 54}, false},
    {"comboEffekt", "GroupBox4", {10, 20, 447, 21}, false},
    {"GroupBox10", "t1", {4, 60, 485, 261}, false},
    {"Image1", "GroupBox10", {12, 14, 445, 241}, true},
    {"Image2", "t2", {4, 8, 486, 313}, false},
    {"Image9", "t2", {296, 16, 193, 305}, true},
    {"Image7", "t2", {8, 272, 289, 22}, true},
    {"Image8", "t2", {8, 294, 289, 22}, true},
    {"Image6", "t2", {8, 208, 289, 65}, true},
    {"Image5", "t2", {8, 144, 289, 65}, true},
    {"Image3", "t2", {8, 16, 289, 65}, true},
    {"Image4", "t2", {8, 80, 289, 65}, true},
    {"AboutShape4", "t3", {4, 8, 486, 310}, false},
    {"Image10", "t3", {344, 100, 100, 100}, true},
    {"Memo1", "t3", {6, 32, 323, 273}, false},
    {"StaticText5", "t3", {124, 240, 89, 17}, true},
    {"StaticText1", "t3", {124, 201, 89, 17}, true},
    {"StaticText2", "t3", {103, 45, 147, 17}, true},
    {"Button1", "t3", {344, 229, 100, 25}, false},
    {"Image14", "t4", {4, 8, 486, 313}, false},
    {"Image11", "t4", {256, 176, 225, 137}, true},
    {"Image12", "t4", {16, 176, 217, 137}, true},
    {"Image13", "t4", {16, 14, 465, 137}, true},
};

TEST_F(ConfigDialogTest, PlacesEveryComponentOfTheLayout) {
  Open();
  for (const Placement& p : kPlacements) {
    QWidget* widget = Find(p.name);
    if (!widget) continue;
    EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), p.parent) << p.name;
    EXPECT_EQ(widget->geometry(), p.bounds) << p.name;
    EXPECT_EQ(widget->cursor().shape() == Qt::PointingHandCursor, p.handCursor) << p.name;
  }
}

TEST_F(ConfigDialogTest, StackingOrderOfEachPageIsTheLayoutsOrder) {
  Open();
  const std::vector<std::pair<const char*, std::vector<const char*>>> pages = {
      {"t2", {"Image2", "Image9", "Image7", "Image8", "Image6", "Image5", "Image3", "Image4"}},
      {"t3", {"AboutShape4", "Image10", "Memo1", "StaticText5", "StaticText1", "StaticText2", "Button1"}},
      {"t4", {"Image14", "Image11", "Image12", "Image13"}},
  };
  for (const auto& [page, order] : pages) {
    std::vector<std::string> actual;
    for (QObject* child : Find(page)->children()) {
      if (child->isWidgetType()) actual.push_back(child->objectName().toStdString());
    }
    EXPECT_EQ(actual, std::vector<std::string>(order.begin(), order.end())) << page;
  }
}

TEST_F(ConfigDialogTest, WindowHasTheFixedSizeFontAndFrameOfTheLayout) {
  TConfig& config = Open();
  EXPECT_EQ(config.size(), QSize(513, 401));
  EXPECT_EQ(config.minimumSize(), config.maximumSize());
  EXPECT_EQ(config.font().pixelSize(), 11);
  const Qt::WindowFlags flags = config.windowFlags();
  EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint |
                        Qt::WindowSystemMenuHint | Qt::WindowContextHelpButtonHint));
}

TEST_F(ConfigDialogTest, PagesAndCaptionsAreThoseOfTheLayout) {
  Open();
  QTabWidget* pages = Pages();
  const char* expected[][2] = {{"t1", "Options"}, {"t2", "Links"}, {"t3", "About"}, {"t4", "Tips"}};
  ASSERT_EQ(pages->count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(pages->widget(i)->objectName().toStdString(), expected[i][0]);
    EXPECT_EQ(pages->tabText(i).toStdString(), expected[i][1]);
  }
  EXPECT_EQ(Find<QGroupBox>("GroupBox4")->title().toStdString(), " Transition  ");
  EXPECT_EQ(Find<QGroupBox>("GroupBox10")->title().toStdString(), " Info  ");
  EXPECT_EQ(Find<QPushButton>("Button9")->text().toStdString(), "OK");
  EXPECT_EQ(Find<QPushButton>("Button10")->text().toStdString(), "Cancel");
  EXPECT_EQ(Find<QPushButton>("Button1")->text().toStdString(), "Donate...");
  EXPECT_TRUE(Find<QPushButton>("Button9")->isDefault());
  EXPECT_FALSE(Find<QPushButton>("Button10")->isDefault());
}

TEST_F(ConfigDialogTest, ListOffersTheTransitionsInEffectOrder) {
  Open();
  QComboBox* combo = Combo();
  EXPECT_FALSE(combo->isEditable());
  EXPECT_EQ(combo->maxVisibleItems(), 20);
  ASSERT_EQ(combo->count(), static_cast<int>(kEffectNames.size()));
  for (int i = 0; i < combo->count(); ++i) {
    EXPECT_EQ(combo->itemText(i).toStdString(), kEffectNames[i]) << i;
  }
}

TEST_F(ConfigDialogTest, AboutTextHasOneCentredLineEvery13PixelsUnderItsLinkLabels) {
  Open().show();
  Pages()->setCurrentWidget(Find("t3"));
  QApplication::processEvents();
  auto* memo = Find<QTextEdit>("Memo1");
  EXPECT_TRUE(memo->isReadOnly());
  QTextDocument* text = memo->document();
  text->documentLayout()->documentSize();  // lays the text out
  ASSERT_EQ(text->blockCount(), static_cast<int>(kAboutLines.size()));
  for (int line = 1; line <= text->blockCount(); ++line) {
    QTextBlock block = text->findBlockByNumber(line - 1);
    EXPECT_EQ(block.text().toStdString(), kAboutLines[line - 1]) << line;
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QRectF bounds = text->documentLayout()->blockBoundingRect(block);
    EXPECT_EQ(memo->y() + bounds.top(), 32 + 13 * (line - 1)) << line;
    EXPECT_EQ(bounds.height(), 13) << line;
  }
  const std::pair<const char*, AboutLinkLabel> labels[] = {
      {"StaticText2", kAboutNameLabel}, {"StaticText1", kAboutPhotosLabel}, {"StaticText5", kAboutCodingLabel}};
  for (const auto& [name, label] : labels) {
    auto* linkLabel = Find<QLabel>(name);
    EXPECT_EQ(linkLabel->y(), 32 + 13 * (label.line - 1)) << name;
    EXPECT_EQ(linkLabel->text().toStdString(), kAboutLines[label.line - 1]) << name;
    EXPECT_TRUE(linkLabel->font().underline()) << name;
    // The text is centred on the memo's centre line, as the line it covers.
    const QRect textArea = linkLabel->contentsRect().translated(linkLabel->pos());
    EXPECT_EQ(textArea.left() + textArea.right(), memo->geometry().left() + memo->geometry().right()) << name;
  }
}

// ---- Links -------------------------------------------------------------------

struct ClickCase {
  const char* page;
  QPoint point;  // relative to the page
  DialogLink link;
};

// Points inside one region and on pixels that two regions share, where the
// upper one takes the click.
const ClickCase kClicks[] = {
    {"t1", {12 + 4 + 100, 14 + 60 + 100}, DialogLink::Image1Click},
    {"t2", {400, 100}, DialogLink::Image5Click},         // Image9
    {"t2", {296, 30}, DialogLink::Image3Click},          // Image3 over Image9
    {"t2", {296, 150}, DialogLink::Image5Click},         // Image5 over Image9
    {"t2", {100, 30}, DialogLink::Image3Click},          // Image3
    {"t2", {100, 80}, DialogLink::StaticText5Click},     // Image4 over Image3
    {"t2", {100, 144}, DialogLink::StaticText5Click},    // Image4 over Image5
    {"t2", {100, 208}, DialogLink::Image5Click},         // Image5 over Image6
    {"t2", {100, 272}, DialogLink::Image6Click},         // Image6 over Image7
    {"t2", {100, 283}, DialogLink::Image7Click},         // Image7
    {"t2", {100, 300}, DialogLink::Image8Click},         // Image8
    {"t3", {394, 150}, DialogLink::StaticText5Click},    // Image10
    {"t3", {176, 50}, DialogLink::Image1Click},          // StaticText2
    {"t3", {168, 205}, DialogLink::StaticText1Click},    // StaticText1
    {"t3", {168, 244}, DialogLink::StaticText5Click},    // StaticText5
    {"t4", {300, 200}, DialogLink::Image11Click},
    {"t4", {100, 200}, DialogLink::Image12Click},
    {"t4", {100, 50}, DialogLink::Image13Click},
};

void Click(QWidget* target, QPoint local) {
  const QPoint global = target->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(target, &release);
}

TEST_F(ConfigDialogTest, EachClickablePlaceOpensItsPage) {
  TConfig& config = Open();
  config.show();
  for (const ClickCase& c : kClicks) {
    QWidget* page = Find(c.page);
    Pages()->setCurrentWidget(page);
    QWidget* target = page->childAt(c.point);
    ASSERT_NE(target, nullptr) << c.page << " " << c.point.x() << "," << c.point.y();
    openedLinks.clear();
    Click(target, target->mapFrom(page, c.point));
    EXPECT_EQ(openedLinks, std::vector<std::string>{std::string(LinkUrl(c.link))})
        << c.page << " " << c.point.x() << "," << c.point.y() << " on " << target->objectName().toStdString();
  }
  openedLinks.clear();
  Find<QPushButton>("Button1")->click();
  EXPECT_EQ(openedLinks, std::vector<std::string>{std::string(LinkUrl(DialogLink::Button1Click))});
  EXPECT_TRUE(config.isVisible());
}

TEST_F(ConfigDialogTest, BackgroundsAndTextTakeNoClicks) {
  TConfig& config = Open();
  config.show();
  const std::pair<const char*, QPoint> quiet[] = {
      {"t2", {6, 10}}, {"t3", {20, 20}}, {"t3", {100, 100}}, {"t4", {8, 160}}};
  for (const auto& [pageName, point] : quiet) {
    QWidget* page = Find(pageName);
    Pages()->setCurrentWidget(page);
    QWidget* target = page->childAt(point);
    ASSERT_NE(target, nullptr) << pageName;
    Click(target, target->mapFrom(page, point));
  }
  EXPECT_TRUE(openedLinks.empty());
}

// ---- Reading and storing the transition -------------------------------------

struct LoadCase {
  const char* what;
  std::optional<RegValue> stored;
  int selected;
  const char* error;  // the error box's text, or nothing
};

const LoadCase kLoads[] = {
    {"missing", std::nullopt, 23, nullptr},
    {"first", DwordValue(0), 0, nullptr},
    {"stored 7", DwordValue(7), 7, nullptr},
    {"last", DwordValue(24), 24, nullptr},
    {"past the list", DwordValue(25), -1, nullptr},
    {"far past", DwordValue(1000), -1, nullptr},
    {"no selection", DwordValue(0xFFFFFFFF), -1, nullptr},
    {"string", RegValue{kRegSz, {'7', 0}}, -1, "Ungültiger Datentyp für 'Effect'"},
    {"long data", RegValue{kRegBinary, std::vector<uint8_t>(8, 1)}, -1,
     "Fehler beim Holen der Daten für 'Effect'"},
};

TEST_F(ConfigDialogTest, OpensOnTipsWithTheStoredTransitionSelected) {
  for (const LoadCase& c : kLoads) {
    registry.keys.clear();
    errors.clear();
    if (c.stored) Store(*c.stored);
    TConfig& config = Open();
    EXPECT_TRUE(registry.HasKey(kSettingsKey)) << c.what;
    EXPECT_EQ(Pages()->currentWidget()->objectName().toStdString(), "t4") << c.what;
    EXPECT_EQ(Combo()->currentIndex(), c.selected) << c.what;
    if (c.error) {
      ASSERT_EQ(errors.size(), 1u) << c.what;
      EXPECT_EQ(errors[0].text, c.error);
      EXPECT_EQ(config.windowTitle().toStdString(), "Vorlage") << c.what;
    } else {
      EXPECT_TRUE(errors.empty()) << c.what;
      EXPECT_EQ(config.windowTitle().toStdString(), "Quennick - Marrowdale") << c.what;
    }
    EXPECT_FALSE(Find<PictureBox>("Image1")->Picture().isNull()) << c.what;
  }
}

TEST_F(ConfigDialogTest, KeyThatCannotBeOpenedCountsAsMissing) {
  registry.refuseOpen = true;
  Open();
  EXPECT_EQ(Combo()->currentIndex(), 23);
  EXPECT_TRUE(errors.empty());
}

struct SaveCase {
  std::optional<RegValue> stored;
  int choose;  // the entry chosen before OK; -2 leaves the selection alone
  uint32_t expected;
};

const SaveCase kSaves[] = {
    {std::nullopt, -2, 23},
    {DwordValue(7), 12, 12},
    {DwordValue(7), 0, 0},
    {DwordValue(1000), -2, 0xFFFFFFFF},
    {RegValue{kRegSz, {'x', 0}}, -2, 0xFFFFFFFF},
    {RegValue{kRegSz, {'x', 0}}, 3, 3},
};

TEST_F(ConfigDialogTest, OkStoresTheSelectionAndCloses) {
  for (const SaveCase& c : kSaves) {
    registry.keys.clear();
    if (c.stored) Store(*c.stored);
    TConfig& config = Open();
    config.show();
    if (c.choose != -2) Combo()->setCurrentIndex(c.choose);
    Find<QPushButton>("Button9")->click();
    EXPECT_EQ(Stored(), Describe(DwordValue(c.expected))) << c.expected;
    EXPECT_EQ(config.result(), QDialog::Accepted);
    EXPECT_FALSE(config.isVisible());
  }
}

TEST_F(ConfigDialogTest, FailedWriteKeepsTheDialogOpen) {
  Store(DwordValue(7));
  TConfig& config = Open();
  config.show();
  registry.refuseOpen = true;
  Find<QPushButton>("Button9")->click();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].text, "Fehler beim Setzen der Daten für 'Effect'");
  EXPECT_EQ(errors[0].owner, &config);
  EXPECT_TRUE(config.isVisible());

  registry.refuseOpen = false;
  Find<QPushButton>("Button9")->click();
  EXPECT_EQ(Stored(), Describe(DwordValue(7)));
  EXPECT_FALSE(config.isVisible());
}

TEST_F(ConfigDialogTest, CancelStoresNothing) {
  Store(DwordValue(7));
  TConfig& config = Open();
  config.show();
  Combo()->setCurrentIndex(2);
  Find<QPushButton>("Button10")->click();
  EXPECT_EQ(Stored(), Describe(DwordValue(7)));
  EXPECT_EQ(config.result(), QDialog::Rejected);
  EXPECT_FALSE(config.isVisible());
}

void PressKey(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(target, &release);
}

TEST_F(ConfigDialogTest, EscapeIsBoundToNothingAndEnterPressesOk) {
  Store(DwordValue(7));
  TConfig& config = Open();
  config.show();
  Combo()->setCurrentIndex(9);
  PressKey(&config, Qt::Key_Escape);
  EXPECT_TRUE(config.isVisible());
  EXPECT_EQ(Stored(), Describe(DwordValue(7)));
  PressKey(&config, Qt::Key_Return);
  EXPECT_FALSE(config.isVisible());
  EXPECT_EQ(Stored(), Describe(DwordValue(9)));
}

TEST_F(ConfigDialogTest, NoOwnerWithoutAWindowToOwnTheDialog) {
  for (int32_t parent : {0, 1234}) {
    TConfig& config = Open();
    config.BindToOwner(parent);
    EXPECT_EQ(config.windowModality(), Qt::NonModal) << parent;
  }
}

}  // namespace
}  // namespace brisander
