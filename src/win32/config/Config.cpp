#include "win32/config/Config.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "base/AppError.h"
#include "config/Settings.h"
#include "protocol/ScreenSaver.h"
#include "resources/Pictures.h"
#include "win32/ErrorBox.h"
#include "win32/config/PictureControl.h"
#include "win32/config/PictureDecoder.h"

namespace brisander {
namespace {

constexpr const char* kDialogClass = "TConfig";
// Tab sheets and the button panel: containers that pass their controls'
// notifications on to the dialog.
constexpr const char* kContainerClass = "BrisanderContainer";

// The layout, in pixels at 96 dots per inch.
constexpr int kClientWidth = 513;
constexpr int kClientHeight = 401;
constexpr int kVisibleEntries = 20;
constexpr int kEntryHeight = 13;

enum Page { kOptionsPage, kLinksPage, kAboutPage, kTipsPage, kPageCount };
constexpr std::array<const char*, kPageCount> kPageCaptions = {"Options", "Links", "About", "Tips"};
// The page in front when creation stops before LoadSettings.
constexpr int kLayoutActivePage = kAboutPage;

enum ControlId {
  kPageControlId = 100,
  kComboId,
  kMemoId,
  kShapeId,
  kOkId,
  kCancelId,
  kLinkIdBase = 1000,  // + DialogLink: every control that opens a web page
};

constexpr int LinkId(DialogLink link) { return kLinkIdBase + static_cast<int>(link); }
constexpr bool IsLinkId(int id) { return id >= kLinkIdBase && id < kLinkIdBase + int(kDialogLinkCount); }

struct HotRegion {
  int left, top, width, height;
  DialogLink link;
};

// In stacking order from bottom to top: where two regions share a pixel,
// the upper one takes the click.
constexpr HotRegion kLinksHotRegions[] = {
    {296, 16, 193, 305, DialogLink::Image5Click},     // Image9
    {8, 272, 289, 22, DialogLink::Image7Click},       // Image7
    {8, 294, 289, 22, DialogLink::Image8Click},       // Image8
    {8, 208, 289, 65, DialogLink::Image6Click},       // Image6
    {8, 144, 289, 65, DialogLink::Image5Click},       // Image5
    {8, 16, 289, 65, DialogLink::Image3Click},        // Image3
    {8, 80, 289, 65, DialogLink::StaticText5Click},   // Image4
};

constexpr HotRegion kTipsHotRegions[] = {
    {256, 176, 225, 137, DialogLink::Image11Click},  // Image11
    {16, 176, 217, 137, DialogLink::Image12Click},   // Image12
    {16, 14, 465, 137, DialogLink::Image13Click},    // Image13
};

struct LinkLabel {
  int left, width, height;
  AboutLinkLabel label;
};

// Each lies exactly over the line of Memo1 that it repeats, which puts
// their tops at 45, 201 and 240.
constexpr LinkLabel kAboutLinkLabels[] = {
    {124, 89, 17, kAboutCodingLabel},  // StaticText5
    {124, 89, 17, kAboutPhotosLabel},  // StaticText1
    {103, 147, 17, kAboutNameLabel},   // StaticText2
};
constexpr int kMemoTop = 32;

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_SETCURSOR: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
      if (LOWORD(lParam) == HTCLIENT && (IsLinkId(id) || id == kMemoId)) {
        SetCursor(LoadCursorA(nullptr, id == kMemoId ? IDC_ARROW : IDC_HAND));
        return TRUE;
      }
      break;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The parent named on the command line, when it is a window. A handle that
// names no window cannot own the dialog; the dialog then runs on its own,
// as if no parent had been named.
HWND ParentWindowHandle() {
  HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(ParentWindow));
  return ParentWindow != 0 && IsWindow(parent) ? parent : nullptr;
}

bool IsPushButton(HWND control) {
  return control && (SendMessageA(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
}

// The controls that Tab visits, in tab order: the creation order of each
// container's children, hidden pages left out.
void CollectTabStops(HWND parent, std::vector<HWND>& stops) {
  HWND first = GetWindow(parent, GW_CHILD);
  for (HWND child = first ? GetWindow(first, GW_HWNDLAST) : nullptr; child;
       child = GetWindow(child, GW_HWNDPREV)) {
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) continue;
    if (style & WS_TABSTOP) stops.push_back(child);
    if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) CollectTabStops(child, stops);
  }
}

std::string MemoText() {
  std::string text;
  for (std::size_t line = 0; line < kAboutLines.size(); ++line) {
    if (line > 0) text += "\r\n";
    text += kAboutLines[line];
  }
  return text;
}

}  // namespace

TConfig::~TConfig() {
  if (Handle) DestroyWindow(Handle);
  for (HBITMAP bitmap : Bitmaps) DeleteObject(bitmap);
  if (Font) DeleteObject(Font);
  if (LinkFont) DeleteObject(LinkFont);
}

int TConfig::Scale(int pixels) const { return MulDiv(pixels, Dpi, 96); }

RECT TConfig::Bounds(int left, int top, int width, int height) const {
  return {Scale(left), Scale(top), Scale(left + width), Scale(top + height)};
}

TConfig::TCreateParams TConfig::CreateParams() const {
  // A fixed dialog frame with a title bar, but no system menu and so no
  // buttons on the title bar.
  TCreateParams params = {WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                          nullptr};
  if (HWND parent = ParentWindowHandle()) {
    // Owned by the parent, the dialog shows no taskbar button of its own:
    // the parent's stands for it while the parent takes no input.
    params.owner = parent;
    EnableWindow(parent, FALSE);
  }
  return params;
}

void TConfig::Create() {
  static const bool registered = [] {
    WNDCLASSA windowClass = {};
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.lpszClassName = kDialogClass;
    RegisterClassA(&windowClass);
    windowClass.lpfnWndProc = ContainerProc;
    windowClass.lpszClassName = kContainerClass;
    return RegisterClassA(&windowClass) != 0;
  }();
  (void)registered;

  HDC screen = GetDC(nullptr);
  Dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  // "MS Sans Serif", 8 points: 11 pixels high at 96 dots per inch.
  const int fontHeight = -MulDiv(8, Dpi, 72);
  Font = CreateFontA(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
  LinkFont = CreateFontA(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");

  const TCreateParams params = CreateParams();
  Owner = params.owner;
  RECT frame = {0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, params.style, FALSE, params.exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  CreateWindowExA(params.exStyle, kDialogClass, kLayoutCaption, params.style,
                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                  width, height, params.owner, nullptr, GetModuleHandleA(nullptr), this);
  BuildLayout();
  RunHandler([this] { FormCreate(); });
}

void TConfig::Show() {
  ShowWindow(Handle, SW_SHOW);
  SetForegroundWindow(Handle);
  SetFocus(FocusedControl ? FocusedControl : PageControl1);
}

HWND TConfig::CreateControl(HWND parent, const char* className, const char* text, DWORD style, int id,
                            const RECT& bounds, HFONT font) {
  HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, bounds.left,
                                 bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                 nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : Font), FALSE);
  // Each new control goes on top of its siblings: creation order is both
  // the stacking order (bottom to top) and the tab order.
  SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return control;
}

HWND TConfig::CreateGroupBox(HWND parent, const char* caption, const RECT& bounds) {
  HWND box = CreateControl(parent, "BUTTON", caption, BS_GROUPBOX, 0, bounds);
  // A group box draws only its frame and caption; as a transparent window
  // it leaves its inside to the page, which paints it.
  SetWindowLongA(box, GWL_EXSTYLE, GetWindowLongA(box, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
  return box;
}

HWND TConfig::CreatePicture(HWND parent, int id, const RECT& bounds, HBITMAP bitmap) {
  HWND control = CreatePictureControl(parent, id, bounds, bitmap);
  SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return control;
}

HBITMAP TConfig::LoadLayoutPicture(int number) {
  HBITMAP bitmap = DecodePicture(FindPictureResource(number));
  if (bitmap) Bitmaps.push_back(bitmap);
  return bitmap;
}

void TConfig::BuildLayout() {
  PageControl1 = CreateControl(Handle, WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPCHILDREN | TCS_MULTILINE,
                               kPageControlId, Bounds(5, 5, 502, 354));
  SetWindowLongA(PageControl1, GWL_EXSTYLE, GetWindowLongA(PageControl1, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  for (int index = 0; index < kPageCount; ++index) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kPageCaptions[index]);
    SendMessageA(PageControl1, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
  }
  RECT sheet;
  GetClientRect(PageControl1, &sheet);
  SendMessageA(PageControl1, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&sheet));
  for (HWND& page : Pages) {
    page = CreateWindowExA(WS_EX_CONTROLPARENT, kContainerClass, "", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                           sheet.left, sheet.top, sheet.right - sheet.left, sheet.bottom - sheet.top,
                           PageControl1, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  BuildOptionsPage(Pages[kOptionsPage]);
  BuildLinksPage(Pages[kLinksPage]);
  BuildAboutPage(Pages[kAboutPage]);
  BuildTipsPage(Pages[kTipsPage]);
  BuildPanel();
  SelectPage(kLayoutActivePage);
}

void TConfig::BuildOptionsPage(HWND page) {
  CreateGroupBox(page, " Transition  ", Bounds(4, 3, 485, 54));  // GroupBox4
  // Inside GroupBox4 at 10, 20; the height given to a drop-down list
  // includes its dropped-down entries.
  RECT combo = Bounds(4 + 10, 3 + 20, 447, 21);
  combo.bottom += Scale(kEntryHeight) * kVisibleEntries + 2;
  comboEffekt = CreateControl(page, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kComboId, combo);
  SendMessageA(comboEffekt, CB_SETITEMHEIGHT, 0, Scale(kEntryHeight));
  for (auto name : kEffectNames) {
    SendMessageA(comboEffekt, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(name).c_str()));
  }
  CreateGroupBox(page, " Info  ", Bounds(4, 60, 485, 261));  // GroupBox10
  // Inside GroupBox10 at 12, 14; it takes the size of picture 105 once
  // that is loaded.
  Image1 = CreatePicture(page, LinkId(DialogLink::Image1Click), Bounds(4 + 12, 60 + 14, 445, 241), nullptr);
}

void TConfig::BuildLinksPage(HWND page) {
  CreatePicture(page, 0, Bounds(4, 8, 486, 313), LoadLayoutPicture(kLinksPicture));  // Image2
  for (const auto& region : kLinksHotRegions) {
    CreatePicture(page, LinkId(region.link), Bounds(region.left, region.top, region.width, region.height), nullptr);
  }
}

void TConfig::BuildAboutPage(HWND page) {
  CreateControl(page, "STATIC", "", SS_OWNERDRAW, kShapeId, Bounds(4, 8, 486, 310));  // AboutShape4
  HBITMAP logo = LoadLayoutPicture(kLogoPicture);
  BITMAP logoSize = {0, 100, 100};
  if (logo) GetObjectA(logo, sizeof(logoSize), &logoSize);
  CreatePicture(page, LinkId(DialogLink::StaticText5Click),  // Image10
                Bounds(344, 100, logoSize.bmWidth, logoSize.bmHeight), logo);
  Memo1 = CreateControl(page, "EDIT", MemoText().c_str(), ES_MULTILINE | ES_CENTER | ES_READONLY | ES_NOHIDESEL,
                        kMemoId, Bounds(6, kMemoTop, 323, 273));
  for (const auto& label : kAboutLinkLabels) {
    // Over its line as the memo lays it out: 13 pixels a line at 96 dots
    // per inch, and whatever the font makes of it at other resolutions.
    const auto firstChar = SendMessageA(Memo1, EM_LINEINDEX, label.label.line - 1, 0);
    const int lineTop = static_cast<short>(HIWORD(SendMessageA(Memo1, EM_POSFROMCHAR, firstChar, 0)));
    RECT bounds = Bounds(label.left, 0, label.width, label.height);
    OffsetRect(&bounds, 0, Scale(kMemoTop) + lineTop);
    CreateControl(page, "STATIC", std::string(AboutLabelText(label.label)).c_str(), SS_CENTER | SS_NOTIFY,
                  LinkId(label.label.link), bounds, LinkFont);
  }
  CreateControl(page, "BUTTON", "Donate...", BS_PUSHBUTTON | WS_TABSTOP, LinkId(DialogLink::Button1Click),
                Bounds(344, 229, 100, 25));  // Button1
}

void TConfig::BuildTipsPage(HWND page) {
  CreatePicture(page, 0, Bounds(4, 8, 486, 313), LoadLayoutPicture(kTipsPicture));  // Image14
  for (const auto& region : kTipsHotRegions) {
    CreatePicture(page, LinkId(region.link), Bounds(region.left, region.top, region.width, region.height), nullptr);
  }
}

void TConfig::BuildPanel() {
  const RECT bounds = Bounds(0, 360, 513, 41);
  Panel1 = CreateWindowExA(WS_EX_CONTROLPARENT, kContainerClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                           bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, Handle,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowPos(Panel1, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Button10 = CreateControl(Panel1, "BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, kCancelId, Bounds(424, 8, 83, 25));
  Button9 = CreateControl(Panel1, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kOkId, Bounds(332, 8, 83, 25));
}

void TConfig::FormCreate() {
  TJPEGImage info;
  info.LoadFromResource(kInfoPicture);
  if (HBITMAP bitmap = DecodePicture(info.Bytes())) {
    Bitmaps.push_back(bitmap);
    SetPictureBitmap(Image1, bitmap);
  }
  SetWindowPos(Image1, nullptr, 0, 0, Scale(info.Width()), Scale(info.Height()),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  LoadSettings();
  SetWindowTextA(Handle, kDialogCaption);
}

void TConfig::LoadSettings() {
  SelectPage(kTipsPage);
  const EffectIndex effect = ReadEffectSetting();
  const bool listed = effect >= 0 && effect < static_cast<EffectIndex>(kEffectNames.size());
  SendMessageA(comboEffekt, CB_SETCURSEL, listed ? effect : -1, 0);
}

void TConfig::SaveSettings() {
  // CB_GETCURSEL answers -1 (CB_ERR) when nothing is selected.
  WriteEffectSetting(static_cast<EffectIndex>(SendMessageA(comboEffekt, CB_GETCURSEL, 0, 0)));
}

void TConfig::Button9Click() {
  SaveSettings();
  Close();
}

void TConfig::Button10Click() { Close(); }

void TConfig::FormClose() {
  if (Owner) {
    EnableWindow(Owner, TRUE);
    SetForegroundWindow(Owner);
  }
}

void TConfig::LinkClick(DialogLink link) {
  ShellExecuteA(Handle, "open", std::string(LinkUrl(link)).c_str(), nullptr, nullptr, SW_SHOW);
}

void TConfig::Close() { SendMessageA(Handle, WM_CLOSE, 0, 0); }

void TConfig::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const AppError& error) {
    ShowErrorBox(Handle, ErrorBoxText(error.what()));
  }
}

int TConfig::ActivePage() const { return static_cast<int>(SendMessageA(PageControl1, TCM_GETCURSEL, 0, 0)); }

void TConfig::SelectPage(int index) {
  SendMessageA(PageControl1, TCM_SETCURSEL, index, 0);
  ShowPage(index);
}

void TConfig::ShowPage(int index) {
  ShowWindow(Pages[index], SW_SHOW);
  for (int other = 0; other < kPageCount; ++other) {
    if (other != index) ShowWindow(Pages[other], SW_HIDE);
  }
  // Focus inside a page that went away moves to the new page's first
  // control, or to the page control when the page has none.
  HWND focus = GetFocus();
  if (focus && IsChild(Handle, focus) && !IsWindowVisible(focus)) {
    std::vector<HWND> stops;
    CollectTabStops(Pages[index], stops);
    SetFocus(stops.empty() ? PageControl1 : stops.front());
  }
}

void TConfig::MoveFocus(bool backwards) {
  std::vector<HWND> stops;
  CollectTabStops(Handle, stops);
  if (stops.empty()) return;
  const int count = static_cast<int>(stops.size());
  int current = -1;
  for (int index = 0; index < count; ++index) {
    if (stops[index] == GetFocus()) current = index;
  }
  const int next = current < 0 ? 0 : (current + (backwards ? count - 1 : 1)) % count;
  SetFocus(stops[next]);
}

bool TConfig::HandleKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || !Handle || (message.hwnd != Handle && !IsChild(Handle, message.hwnd))) {
    return false;
  }
  const bool backwards = GetKeyState(VK_SHIFT) < 0;
  switch (message.wParam) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) < 0) {
        SelectPage((ActivePage() + (backwards ? kPageCount - 1 : 1)) % kPageCount);
      } else {
        MoveFocus(backwards);
      }
      return true;
    case VK_RETURN: {
      if (SendMessageA(comboEffekt, CB_GETDROPPEDSTATE, 0, 0)) return false;  // Enter picks the entry
      HWND focus = GetFocus();
      SendMessageA(IsPushButton(focus) ? focus : Button9, BM_CLICK, 0, 0);
      return true;
    }
  }
  // Escape is bound to nothing: no key closes the dialog.
  return false;
}

LRESULT TConfig::ControlColor(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id == kMemoId || IsLinkId(id)) {
    SetTextColor(dc, IsLinkId(id) ? RGB(0, 0, 255) : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
  }
  return DefWindowProcA(Handle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

LRESULT CALLBACK TConfig::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* dialog = static_cast<TConfig*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    dialog->Handle = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
  }
  auto* dialog = reinterpret_cast<TConfig*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY && dialog) {
    dialog->Handle = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    dialog = nullptr;
  }
  return dialog ? dialog->HandleMessage(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TConfig::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      // BN_CLICKED and STN_CLICKED are both 0.
      if (HIWORD(wParam) != BN_CLICKED) break;
      if (id == kOkId) RunHandler([this] { Button9Click(); });
      if (id == kCancelId) RunHandler([this] { Button10Click(); });
      if (IsLinkId(id)) RunHandler([this, id] { LinkClick(static_cast<DialogLink>(id - kLinkIdBase)); });
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == PageControl1 && header->code == TCN_SELCHANGE) ShowPage(ActivePage());
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
      // AboutShape4: the white card with its grey outline.
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != kShapeId) break;
      HPEN pen = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
      HGDIOBJ oldPen = SelectObject(item->hDC, pen);
      HGDIOBJ oldBrush = SelectObject(item->hDC, GetStockObject(WHITE_BRUSH));
      Rectangle(item->hDC, item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom);
      SelectObject(item->hDC, oldBrush);
      SelectObject(item->hDC, oldPen);
      DeleteObject(pen);
      return TRUE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle, focus)) FocusedControl = focus;
      } else {
        SetFocus(FocusedControl && IsWindowVisible(FocusedControl) ? FocusedControl : PageControl1);
      }
      return 0;
    case WM_CLOSE:
      FormClose();
      DestroyWindow(Handle);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(Handle, message, wParam, lParam);
}

}  // namespace brisander
