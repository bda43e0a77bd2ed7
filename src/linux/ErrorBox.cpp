#include "linux/ErrorBox.h"

#include <QMessageBox>

#include "base/AppError.h"

namespace brisander {
namespace {
std::string g_title = "brisander";
}

void SetApplicationTitle(const std::string& executablePath) {
  g_title = ApplicationTitle(executablePath);
}

const std::string& ApplicationTitleText() { return g_title; }

void ShowErrorBox(QWidget* owner, const std::string& text) {
  QMessageBox::critical(owner, QString::fromStdString(g_title), QString::fromStdString(text));
}

}  // namespace brisander
