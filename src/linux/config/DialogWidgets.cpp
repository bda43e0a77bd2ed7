#include "linux/config/DialogWidgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace brisander {

void ClickTarget::Press(QMouseEvent* event) {
  event->accept();
  pressed_ = event->button() == Qt::LeftButton;
}

void ClickTarget::Release(QMouseEvent* event, const QRect& bounds) {
  event->accept();
  const bool clicked = pressed_ && event->button() == Qt::LeftButton &&
                       bounds.contains(event->position().toPoint());
  pressed_ = false;
  if (clicked && onClick) onClick();
}

void PictureBox::SetPicture(QImage picture) {
  picture_ = std::move(picture);
  resize(picture_.size());
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  QFont linkFont = font();
  linkFont.setUnderline(true);
  setFont(linkFont);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  colours.setColor(QPalette::WindowText, Qt::blue);
  setPalette(colours);
  setAutoFillBackground(true);
  setCursor(Qt::PointingHandCursor);
}

}  // namespace brisander
