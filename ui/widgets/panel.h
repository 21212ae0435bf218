#pragma once
// A plain panel with one of the two bevels the window uses.

#include <QWidget>

class TPanel : public QWidget {
 public:
  enum TBevel {
    bvRightEdge,  // a flat line two pixels wide along the right edge
    bvLowered,    // a one-pixel sunken frame all round
  };

  TPanel(TBevel bevel, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TBevel FBevel;
};
