#include "linux/pageview/NavigationSound.h"

#include <QFileInfo>
#include <QUrl>

#include "base/AppError.h"
#include "slideshow/BrowserSettingsGuard.h"

namespace brisander {

void NavigationSound::Play() {
  std::string path;
  try {
    TRegistry registry(registry_);
    if (!registry.OpenKey(kNavigationSoundKey, false)) return;
    path = registry.ReadString("");
  } catch (const AppError&) {
    return;  // a value that is no text names no sound
  }
  const QString file = QString::fromStdString(path);
  if (path.empty() || !QFileInfo(file).isFile()) return;
  const QUrl source = QUrl::fromLocalFile(file);
  if (effect_.source() != source) effect_.setSource(source);
  effect_.play();
}

}  // namespace brisander
