#pragma once
// The configuration dialog: four pages, the choice of transition on
// "Options", links to web pages on the others; OK stores the choice.

#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "config/DialogContent.h"

namespace brisander {

class TConfig {
 public:
  TConfig() = default;
  TConfig(const TConfig&) = delete;
  TConfig& operator=(const TConfig&) = delete;
  ~TConfig();

  // Creates the window with its layout, hidden, and runs FormCreate.
  void Create();
  // Shows the dialog centred and gives it the focus.
  void Show();
  // The dialog's own keys: Ctrl+Tab between pages, Tab through the
  // controls, Enter for the focused or the default button. True when the
  // message was used.
  bool HandleKey(const MSG& message);

 private:
  struct TCreateParams {
    DWORD style;
    DWORD exStyle;
    HWND owner;
  };

  TCreateParams CreateParams() const;
  void BuildLayout();
  void BuildOptionsPage(HWND page);
  void BuildLinksPage(HWND page);
  void BuildAboutPage(HWND page);
  void BuildTipsPage(HWND page);
  void BuildPanel();

  void FormCreate();
  void FormClose();
  void LoadSettings();
  void SaveSettings();
  void Button9Click();
  void Button10Click();
  void LinkClick(DialogLink link);

  // Runs a handler the way the class library runs event handlers: an error
  // that escapes it is shown in the error box, and the dialog goes on.
  void RunHandler(const std::function<void()>& handler);

  int ActivePage() const;
  void SelectPage(int index);
  void ShowPage(int index);
  void MoveFocus(bool backwards);

  int Scale(int pixels) const;
  RECT Bounds(int left, int top, int width, int height) const;
  HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, int id,
                     const RECT& bounds, HFONT font = nullptr);
  HWND CreateGroupBox(HWND parent, const char* caption, const RECT& bounds);
  HWND CreatePicture(HWND parent, int id, const RECT& bounds, HBITMAP bitmap);
  HBITMAP LoadLayoutPicture(int number);
  void Close();

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT ControlColor(HDC dc, HWND control);

  HWND Handle = nullptr;
  HWND Owner = nullptr;
  HWND PageControl1 = nullptr;
  std::array<HWND, 4> Pages = {};  // t1 "Options", t2 "Links", t3 "About", t4 "Tips"
  HWND Panel1 = nullptr;
  HWND Button9 = nullptr;
  HWND Button10 = nullptr;
  HWND comboEffekt = nullptr;
  HWND Image1 = nullptr;
  HWND Memo1 = nullptr;
  HWND FocusedControl = nullptr;  // restored when the dialog is activated again

  int Dpi = 96;
  HFONT Font = nullptr;
  HFONT LinkFont = nullptr;
  std::vector<HBITMAP> Bitmaps;  // every picture shown, released with the dialog
};

}  // namespace brisander
