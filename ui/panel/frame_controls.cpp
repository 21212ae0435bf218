// The frame controls: the frame count, the current frame on the slider, stepping between
// frames and moving the current frame's picture to a neighbouring frame; above them the
// buttons of the Frame menu's insert, duplicate and delete commands.

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QToolTip>

#include "history/frame_move_step.h"
#include "widgets/panel.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

QLabel* FrameLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w = -1) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setProperty("Tag", 0);
  label->move(x, y);
  label->resize(w < 0 ? label->sizeHint().width() : w, label->sizeHint().height());
  return label;
}

QPushButton* FrameButton(QWidget* parent, const char* name, int tag, const QString& caption, const QString& hint,
                         int x, int y) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setProperty("Tag", tag);
  button->setToolTip(hint);
  button->setGeometry(x, y, 20, 25);
  return button;
}

// A 16 x 16 picture of a frame as a card, with `mark` drawn beside it or over it.
enum TFrameMark { fmPlus, fmCopy, fmCross };

QIcon FrameIcon(TFrameMark mark, const QColor& ink) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(ink);
  p.setBrush(Qt::white);
  if (mark == fmCopy) {
    p.drawRect(1, 1, 8, 10);
    p.drawRect(6, 4, 8, 10);
  } else {
    p.drawRect(1, 2, 7, 11);
    p.setPen(QPen(ink, 2));
    if (mark == fmPlus) {
      p.drawLine(12, 5, 12, 11);
      p.drawLine(10, 8, 15, 8);
    } else {
      p.drawLine(11, 6, 15, 10);
      p.drawLine(11, 10, 15, 6);
    }
  }
  return QIcon(pixmap);
}

QPushButton* CommandButton(QWidget* parent, const char* name, TFrameMark mark, const QString& hint, int x) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setProperty("Tag", 0);
  button->setIcon(FrameIcon(mark, parent->palette().color(QPalette::ButtonText)));
  button->setToolTip(hint);
  button->setAccessibleName(hint);
  button->setGeometry(x, 0, 24, 25);
  return button;
}

}  // namespace

// A row of its own, right-aligned just above the frame panel and moving with it.
void TSpriteEditor::BuildFrameCommands() {
  PanelFrameCommands = new QWidget(PanelSettings);
  PanelFrameCommands->setObjectName("PanelFrameCommands");
  PanelFrameCommands->setProperty("Tag", 0);
  PanelFrameCommands->setFixedSize(84, 27);
  BtnInsertFrame = CommandButton(PanelFrameCommands, "BtnInsertFrame", fmPlus, tr("Insert frame"), 0);
  BtnDuplicateFrame = CommandButton(PanelFrameCommands, "BtnDuplicateFrame", fmCopy, tr("Duplicate frame"), 25);
  BtnDeleteFrame = CommandButton(PanelFrameCommands, "BtnDeleteFrame", fmCross, tr("Delete frame"), 50);
  connect(BtnInsertFrame, &QPushButton::clicked, this, [this] { MiInsertFrameClick(BtnInsertFrame); });
  connect(BtnDuplicateFrame, &QPushButton::clicked, this, [this] { MiDuplicateFrameClick(BtnDuplicateFrame); });
  connect(BtnDeleteFrame, &QPushButton::clicked, this, [this] { MiDeleteFrameClick(BtnDeleteFrame); });
}

void TSpriteEditor::BuildFramePanel() {
  PanelFrames = new TPanel(TPanel::bvLowered, PanelSettings);
  PanelFrames->setObjectName("PanelFrames");
  PanelFrames->setProperty("Tag", 0);
  PanelFrames->setFixedHeight(65);
  QPalette face = PanelFrames->palette();
  face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
  PanelFrames->setPalette(face);

  const QString left = QStringLiteral("\u25C4");
  const QString right = QStringLiteral("\u25BA");
  LblFrame = FrameLabel(PanelFrames, "LblFrame", tr("Frame:"), 17, 8);
  LblFrameNum = FrameLabel(PanelFrames, "LblFrameNum", QStringLiteral("1"), 57, 8, 32);
  LblMove = FrameLabel(PanelFrames, "LblMove", tr("Move:"), 92, 8);
  BtnMoveLeft = FrameButton(PanelFrames, "BtnMoveLeft", -1, left, tr("Move sprite to previous frame"), 129, 3);
  BtnMoveRight = FrameButton(PanelFrames, "BtnMoveRight", 1, right, tr("Move sprite to next frame"), 145, 3);
  LblTotal = FrameLabel(PanelFrames, "LblTotal", tr("Total:"), 184, 8);

  SpinEditTotalFrames = new TSpinEdit(PanelFrames);
  SpinEditTotalFrames->setObjectName("SpinEditTotalFrames");
  SpinEditTotalFrames->setProperty("Tag", 7);
  SpinEditTotalFrames->setRange(1, MaxFrames);
  SpinEditTotalFrames->setValue(1);
  SpinEditTotalFrames->setGeometry(221, 4, 48, 22);

  SliderFrame = new QSlider(Qt::Horizontal, PanelFrames);
  SliderFrame->setObjectName("SliderFrame");
  SliderFrame->setProperty("Tag", 0);
  SliderFrame->setRange(1, 1);
  SliderFrame->setValue(1);
  SliderFrame->setSingleStep(1);
  SliderFrame->setPageStep(1);
  SliderFrame->setTickPosition(QSlider::TicksBothSides);
  SliderFrame->setTickInterval(1);
  SliderFrame->setGeometry(8, 24, 217, 38);

  BtnPrev = FrameButton(PanelFrames, "BtnPrev", -1, left, tr("Previous frame"), 233, 31);
  BtnNext = FrameButton(PanelFrames, "BtnNext", 1, right, tr("Next frame"), 249, 31);
}

void TSpriteEditor::ConnectFrameControls() {
  connect(SliderFrame, &QSlider::valueChanged, this, [this] { SliderFrameChange(SliderFrame); });
  connect(SliderFrame, &QSlider::sliderMoved, this, &TSpriteEditor::ShowSliderPosition);
  connect(SliderFrame, &QSlider::sliderReleased, this, [] { QToolTip::hideText(); });
  connect(SpinEditTotalFrames, &QSpinBox::valueChanged, this, [this] { SpinEditTotalFramesChange(SpinEditTotalFrames); });
  for (QPushButton* button : {BtnPrev, BtnNext})
    connect(button, &QPushButton::clicked, this, [this, button] { BtnFrameClick(button); });
  for (QPushButton* button : {BtnMoveLeft, BtnMoveRight})
    connect(button, &QPushButton::clicked, this, [this, button] { BtnMoveClick(button); });
}

// While the thumb is dragged its position shows in a tool tip above it.
void TSpriteEditor::ShowSliderPosition(int position) {
  const int thumb = SliderFrame->style()->pixelMetric(QStyle::PM_SliderLength, nullptr, SliderFrame);
  const int x = QStyle::sliderPositionFromValue(SliderFrame->minimum(), SliderFrame->maximum(), position,
                                                SliderFrame->width() - thumb) +
                thumb / 2;
  QToolTip::showText(SliderFrame->mapToGlobal(QPoint(x, -8)), QString::number(position), SliderFrame);
}

int TSpriteEditor::FrameCount() const { return FDocument.Settings.FrameCount; }

void TSpriteEditor::UpdateFrameButtons() {
  const int position = SliderFrame->value();
  BtnPrev->setEnabled(position > SliderFrame->minimum());
  BtnNext->setEnabled(position < SliderFrame->maximum());
  BtnMoveLeft->setEnabled(position > SliderFrame->minimum());
  BtnMoveRight->setEnabled(position < SliderFrame->maximum());
  UpdateFrameCommands();
}

void TSpriteEditor::SliderFrameChange(QObject*) {
  FCurrentFrame = SliderFrame->value() - 1;
  // Stepping between frames is no step of the history, yet the project file keeps the frame.
  if (!FShowingDocument) FDocument.Settings.CurrentFrame = FCurrentFrame;
  LblFrameNum->setText(QString::number(SliderFrame->value()));
  UpdateFrameButtons();
  FRedrawQueue.push_back(rtFull);
  UpdateByteInfo();
}

void TSpriteEditor::BtnFrameClick(QObject* Sender) {
  SliderFrame->setValue(SliderFrame->value() + TagOf(Sender));  // the slider clamps
  FCurrentFrame = SliderFrame->value() - 1;
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::BtnMoveClick(QObject* Sender) {
  const int a = FCurrentFrame;
  const int b = a + TagOf(Sender);
  // The buttons are disabled at the ends; a call from elsewhere must not reach a frame
  // outside the document.
  if (b < 0 || b >= FrameCount()) return;
  // The step shows frame b: the current frame follows the moved picture.
  Execute(MakeFrameMoveStep(a, b));
  FRedrawQueue.push_back(rtFull);
}

void TSpriteEditor::SpinEditTotalFramesChange(QObject*) {
  const TDocumentSettings before = FDocument.Settings;
  SliderFrame->setMaximum(SpinEditTotalFrames->value());  // a lower maximum moves the position down
  UpdateFrameButtons();
  RecordSettings(before, "Change total frames");
  UpdateDataSize();
}
