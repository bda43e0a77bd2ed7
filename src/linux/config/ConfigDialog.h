#pragma once
// TConfig: the configuration dialog. Four pages ("Options", "Links",
// "About", "Tips"); OK stores the chosen transition, Cancel closes.
// Positions are those of the dialog's layout at 96 DPI, in Qt's
// device-independent pixels, so Qt scales them with the screen.

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/Registry.h"
#include "config/DialogContent.h"

class QComboBox;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QWindow;

namespace brisander {

class PictureBox;
class LinkLabel;

// What the dialog needs from outside; tests replace it.
struct ConfigDialogServices {
  RegistryBackend* registry = &CurrentUserRegistry();
  std::function<void(std::string_view url)> openLink = OpenLinkInBrowser;
  std::function<void(QWidget* owner, const std::string& text)> showError = DefaultErrorBox;

  static void OpenLinkInBrowser(std::string_view url);
  static void DefaultErrorBox(QWidget* owner, const std::string& text);
};

class TConfig : public QDialog {
 public:
  // Builds the layout and runs FormCreate; a failure there is reported in
  // the error box and leaves the dialog as far as FormCreate got.
  explicit TConfig(ConfigDialogServices services = {});
  ~TConfig() override;

  // Makes the X11 window `parentWindow` (0 for none) the owner of the
  // dialog. Call before the dialog is first shown.
  void BindToOwner(int32_t parentWindow);

  static constexpr const char* kCaption = "Quennick - Marrowdale";
  static constexpr const char* kLayoutCaption = "Vorlage";

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildOptionsPage();
  void BuildLinksPage();
  void BuildAboutPage();
  void BuildTipsPage();
  void BuildButtonPanel();
  // A transparent region over a page background that opens a link.
  void AddHotRegion(QWidget* page, const char* name, QRect bounds, DialogLink link);
  void OpenLink(DialogLink link);

  void FormCreate();
  void LoadSettings();
  void SaveSettings();
  void Button9Click();
  void FormClose();

  ConfigDialogServices services_;
  std::unique_ptr<QWindow> owner_;

  QTabWidget* PageControl1 = nullptr;
  QWidget* t1 = nullptr;
  QWidget* t2 = nullptr;
  QWidget* t3 = nullptr;
  QWidget* t4 = nullptr;
  QComboBox* comboEffekt = nullptr;
  PictureBox* Image1 = nullptr;
  QTextEdit* Memo1 = nullptr;
  QPushButton* Button9 = nullptr;
  QPushButton* Button10 = nullptr;
};

}  // namespace brisander
