#include "win32/slideshow/BrowserHost.h"

#include <cstdio>
#include <vector>

#include "base/AppError.h"

namespace brisander {
namespace {

// The WebBrowser control and its automation interface.
constexpr CLSID kClsidWebBrowser = {
    0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
constexpr IID kIidWebBrowser2 = {
    0xD30C1661, 0xCDAF, 0x11D0, {0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E}};

// The system's text for a failing result, as the class library words an
// OLE error when the system has none.
std::string ComErrorText(HRESULT result) {
  char* buffer = nullptr;
  DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text(buffer ? buffer : "", length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
    text.pop_back();
  if (text.empty()) {
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "OLE-Fehler %.8X", static_cast<unsigned>(result));
    text = fallback;
  }
  return text;
}

void CheckResult(HRESULT result) {
  if (FAILED(result)) throw AppError(ComErrorText(result));
}

// A wide string of the ANSI code page's text, owned for one call.
class AnsiBstr {
 public:
  explicit AnsiBstr(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> wide(length + 1);
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    value_ = SysAllocStringLen(wide.data(), length);
    if (!value_) throw AppError(ComErrorText(E_OUTOFMEMORY));
  }
  ~AnsiBstr() { SysFreeString(value_); }
  AnsiBstr(const AnsiBstr&) = delete;
  AnsiBstr& operator=(const AnsiBstr&) = delete;
  BSTR get() const { return value_; }

 private:
  BSTR value_ = nullptr;
};

}  // namespace

// The container side of the control: the client site, the in-place site and
// the frame, all answered by the one window. The control keeps references
// to it while it lives; the host holds the first one.
class BrowserHost::Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  Site(HWND window, const RECT& bounds) : window_(window), bounds_(bounds) {}
  void SetBounds(const RECT& bounds) { bounds_ = bounds; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
      *object = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
      *object = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame))
      *object = static_cast<IOleInPlaceFrame*>(this);
    else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** container) override {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, for the in-place site and the frame alike
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    *frame = this;
    AddRef();
    *document = nullptr;
    *position = bounds_;
    *clip = bounds_;
    info->fMDIApp = FALSE;
    info->hwndFrame = window_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow, IOleInPlaceFrame: no tool space, menus or status.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return OLE_E_INVALIDRECT; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  ~Site() = default;

  ULONG references_ = 1;
  HWND window_;
  RECT bounds_;
};

BrowserHost::BrowserHost(HWND window, const RECT& bounds) : bounds_(bounds) {
  site_ = new Site(window, bounds);
  Create(window);
}

BrowserHost::~BrowserHost() {
  Release();
  site_->Release();
}

void BrowserHost::Create(HWND window) {
  if (FAILED(CoCreateInstance(kClsidWebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              reinterpret_cast<void**>(&object_)))) {
    object_ = nullptr;
    return;
  }
  // In place, not UI-active: the control takes no keyboard focus.
  if (FAILED(object_->SetClientSite(site_)) ||
      FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, window, &bounds_)) ||
      FAILED(object_->QueryInterface(kIidWebBrowser2, reinterpret_cast<void**>(&browser_)))) {
    browser_ = nullptr;
    Release();
    return;
  }
  SetBounds(bounds_);
}

void BrowserHost::Release() {
  if (browser_) browser_->Release();
  browser_ = nullptr;
  if (!object_) return;
  object_->Close(OLECLOSE_NOSAVE);
  object_->SetClientSite(nullptr);
  object_->Release();
  object_ = nullptr;
}

void BrowserHost::SetBounds(const RECT& bounds) {
  bounds_ = bounds;
  site_->SetBounds(bounds);
  if (!object_) return;
  IOleInPlaceObject* inPlace = nullptr;
  if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
    inPlace->SetObjectRects(&bounds_, &bounds_);
    inPlace->Release();
  }
}

void BrowserHost::Navigate(const std::string& path) {
  if (!browser_) return;
  AnsiBstr url(path);
  VARIANT empty;
  VariantInit(&empty);
  CheckResult(browser_->Navigate(url.get(), &empty, &empty, &empty, &empty));
}

}  // namespace brisander
