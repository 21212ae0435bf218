#pragma once
// A spin edit whose value changes only through its up and down buttons, the Up and Down
// keys and the program: typing, cutting, pasting, Page Up/Down and the wheel do nothing.
// Key presses and releases are offered to OnKeyDown / OnKeyUp first; a handler cancels a
// key by setting it to 0.

#include <QSpinBox>
#include <functional>

class TSpinEdit : public QSpinBox {
  Q_OBJECT

 public:
  using TKeyHandler = std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)>;

  explicit TSpinEdit(QWidget* parent = nullptr);

  TKeyHandler OnKeyDown;
  TKeyHandler OnKeyUp;

  // Always one step of the current size, whatever modifier Qt would multiply it by.
  void stepBy(int steps) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};
