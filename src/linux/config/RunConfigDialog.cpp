// The configuration run mode: the dialog as the application's only window.

#include <QApplication>

#include "Application.h"
#include "linux/ErrorBox.h"
#include "linux/config/ConfigDialog.h"
#include "protocol/ScreenSaver.h"

namespace brisander {

void RunConfigDialog(int argc, char** argv) {
  QApplication application(argc, argv);
  SetApplicationTitle(ExecutablePath(argc, argv));
  TConfig dialog;
  dialog.BindToOwner(ParentWindow);
  QObject::connect(&dialog, &QDialog::finished, &application, &QApplication::quit);
  dialog.show();
  application.exec();
}

}  // namespace brisander
