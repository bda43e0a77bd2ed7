// The configuration run mode: the dialog as the application's main window
// and the message loop that ends when it closes.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "Application.h"
#include "base/AppError.h"
#include "win32/ErrorBox.h"
#include "win32/config/Config.h"

namespace brisander {

void RunConfigDialog(int, char**) {
  // COM on the main thread as a single-threaded apartment; the picture
  // decoder needs it.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  {
    TConfig dialog;
    try {
      dialog.Create();
    } catch (const AppError& error) {  // the layout itself could not be built
      ShowErrorBox(nullptr, ErrorBoxText(error.what()));
      return;
    }
    dialog.Show();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (dialog.HandleKey(message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace brisander
