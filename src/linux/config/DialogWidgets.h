#pragma once
// The small controls of the configuration dialog that Qt has no exact match
// for: a picture that can be clicked and a link label.

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <functional>

namespace brisander {

// Runs `onClick` when the left button is pressed and released inside the
// control.
class ClickTarget {
 public:
  std::function<void()> onClick;

 protected:
  void Press(QMouseEvent* event);
  void Release(QMouseEvent* event, const QRect& bounds);

 private:
  bool pressed_ = false;
};

// A picture drawn at its own size from the top left corner. Without a
// picture it draws nothing, so that a clickable one is an invisible hot
// region over whatever lies below it.
class PictureBox : public QWidget, public ClickTarget {
 public:
  explicit PictureBox(QWidget* parent) : QWidget(parent) {}

  // Shows the picture and takes its size.
  void SetPicture(QImage picture);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override { Press(event); }
  void mouseReleaseEvent(QMouseEvent* event) override { Release(event, rect()); }

 private:
  QImage picture_;
};

// A fixed-size text on white, blue and underlined, with the hand cursor.
class LinkLabel : public QLabel, public ClickTarget {
 public:
  LinkLabel(const QString& text, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override { Press(event); }
  void mouseReleaseEvent(QMouseEvent* event) override { Release(event, rect()); }
};

}  // namespace brisander
