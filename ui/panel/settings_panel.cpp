// The settings panel: byte mode, sprite size, grid, data format and the position read-out.
// Positions are those of the panel's fixed layout; the frame controls are built in
// frame_controls.cpp.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "document/data_format.h"
#include "panel/settings_tooltips.h"
#include "widgets/panel.h"
#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

template <class T>
T* Named(T* control, const char* name, int tag = 0) {
  control->setObjectName(QString::fromLatin1(name));
  control->setProperty("Tag", tag);
  return control;
}

// A label at (x, y); without a size it takes its natural one.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w = -1, int h = -1) {
  auto* label = Named(new QLabel(text, parent), name);
  const QSize natural = label->sizeHint();
  label->setGeometry(x, y, w < 0 ? natural.width() : w, h < 0 ? natural.height() : h);
  return label;
}

TSpinEdit* MakeSpinEdit(QWidget* parent, const char* name, int tag, int x, int y, int min, int max, int value) {
  auto* spin = Named(new TSpinEdit(parent), name, tag);
  spin->setRange(min, max);
  spin->setValue(value);
  spin->setGeometry(x, y, 48, 22);
  return spin;
}

QComboBox* MakeDropDown(QWidget* parent, const char* name, const auto& items, int x, int y, int w) {
  auto* box = Named(new QComboBox(parent), name);
  for (const char* item : items) box->addItem(QString::fromUtf8(item));
  box->setCurrentIndex(0);
  box->setGeometry(x, y, w, box->sizeHint().height());
  return box;
}

// A check box at least as wide as its caption needs.
QCheckBox* MakeCheckBox(QWidget* parent, const char* name, int tag, const QString& text, int x, int y, int w,
                        int h, bool checked) {
  auto* box = Named(new QCheckBox(text, parent), name, tag);
  box->setChecked(checked);
  box->setGeometry(x, y, std::max(w, box->sizeHint().width()), h);
  return box;
}

}  // namespace

void TSpriteEditor::BuildSettingsPanel() {
  PanelSettings = Named(new TPanel(TPanel::bvRightEdge), "PanelSettings");
  QPalette white = PanelSettings->palette();
  white.setColor(QPalette::Window, Qt::white);
  PanelSettings->setPalette(white);
  PanelSettings->setFixedWidth(281);
  PanelSettings->setMinimumHeight(450);

  RadioGroupMode = Named(new TRadioGroup(tr("Byte mode:"),
                                         {QString::fromUtf8(ByteModeItems[0]), QString::fromUtf8(ByteModeItems[1])},
                                         PanelSettings),
                         "RadioGroupMode", 0);
  RadioGroupMode->SetItemIndex(0);
  RadioGroupMode->setGeometry(8, 8, 261, 65);

  BuildSizeAndGrid();
  BuildFormatGroup();
  BuildPositionReadout();
  BuildFramePanel();
  BuildFrameCommands();

  // The frame panel is docked to the bottom, inside the two-pixel bevel on the right, with
  // the frame command buttons right above it.
  auto* dock = new QVBoxLayout(PanelSettings);
  dock->setContentsMargins(0, 0, 2, 0);
  dock->setSpacing(0);
  dock->addStretch(1);
  dock->addWidget(PanelFrameCommands, 0, Qt::AlignRight);
  dock->addWidget(PanelFrames);

  ConnectSettings();
  ConnectFrameControls();
  SetSettingsToolTips(*this);
  QWidget* const order[] = {RadioGroupMode, SpinEditWidth,   SpinEditHeight, CheckBoxGrid,        SpinEditGridX,
                            SpinEditGridY,  CbSpriteAlignment, CheckBoxMasked, CbMaskAlignment,   CbAttrMask,
                            BtnMoveLeft,    BtnMoveRight,    SpinEditTotalFrames, SliderFrame,    BtnPrev,
                            BtnNext,        BtnInsertFrame,  BtnDuplicateFrame,   BtnDeleteFrame};
  for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TSpriteEditor::BuildSizeAndGrid() {
  GroupBoxSize = Named(new QGroupBox(tr("Sprite size:"), PanelSettings), "GroupBoxSize");
  GroupBoxSize->setGeometry(8, 79, 120, 82);
  LblWidth = MakeLabel(GroupBoxSize, "LblWidth", tr("Width:"), 12, 25, 49, 13);
  SpinEditWidth = MakeSpinEdit(GroupBoxSize, "SpinEditWidth", 1, 54, 21, 6, MaxSide, 12);
  SpinEditWidth->setSingleStep(6);
  LblHeight = MakeLabel(GroupBoxSize, "LblHeight", tr("Height:"), 12, 53, 49, 13);
  // The height's maximum rises to 240 in FormCreate.
  SpinEditHeight = MakeSpinEdit(GroupBoxSize, "SpinEditHeight", 2, 54, 49, 1, 128, 24);

  // The grid check box lies over the group box's title place.
  GroupBoxGrid = Named(new QGroupBox(QStringLiteral(" "), PanelSettings), "GroupBoxGrid");
  GroupBoxGrid->setGeometry(148, 79, 120, 82);
  CheckBoxGrid = MakeCheckBox(PanelSettings, "CheckBoxGrid", 4, tr("&Grid"), 155, 79, 41, 17, false);
  CheckBoxGrid->setBackgroundRole(QPalette::Window);  // hides the group box frame behind it
  CheckBoxGrid->setAutoFillBackground(true);
  LblGridX = MakeLabel(GroupBoxGrid, "LblGridX", tr("X:"), 12, 25);
  SpinEditGridX = MakeSpinEdit(GroupBoxGrid, "SpinEditGridX", 5, 34, 21, 2, 16, 6);
  LblGridY = MakeLabel(GroupBoxGrid, "LblGridY", tr("Y:"), 12, 53);
  SpinEditGridY = MakeSpinEdit(GroupBoxGrid, "SpinEditGridY", 6, 34, 49, 2, 16, 6);
}

void TSpriteEditor::BuildFormatGroup() {
  GroupBoxFormat = Named(new QGroupBox(tr("Data format:"), PanelSettings), "GroupBoxFormat");
  GroupBoxFormat->setGeometry(8, 167, 261, 174);
  LblSpriteAlignment = MakeLabel(GroupBoxFormat, "LblSpriteAlignment", tr("Sprite data order sequence:"), 12, 20);
  CbSpriteAlignment = MakeDropDown(GroupBoxFormat, "CbSpriteAlignment", DataOrderItems, 12, 40, 237);
  CheckBoxMasked = MakeCheckBox(GroupBoxFormat, "CheckBoxMasked", 3, tr("Masked sprite"), 12, 69, 81, 17, true);
  CbMaskAlignment = MakeDropDown(GroupBoxFormat, "CbMaskAlignment", MaskArrangementItems, 12, 92, 237);
  LblAttrMask = MakeLabel(GroupBoxFormat, "LblAttrMask", tr("Mask for attributes:"), 12, 124);
  CbAttrMask = MakeDropDown(GroupBoxFormat, "CbAttrMask", AttrChoiceItems, 117, 121, 132);
  LblBinDataSize = MakeLabel(GroupBoxFormat, "LblBinDataSize", tr("Binary data size:"), 12, 151);
  // Wide enough for the largest size, "2457600 bytes".
  LblBinDataSizeVal = MakeLabel(GroupBoxFormat, "LblBinDataSizeVal", tr("0 bytes"), 117, 151, 132);
}

void TSpriteEditor::BuildPositionReadout() {
  LblPosIn = MakeLabel(PanelSettings, "LblPosIn", tr("Position in"), 8, 350, 55, 13);
  LblPos = MakeLabel(PanelSettings, "LblPos", tr("Mask:"), 64, 350, 36, 13);
  // Room for three digits each.
  LblPosX = MakeLabel(PanelSettings, "LblPosX", tr("X=00"), 100, 350, 46);
  LblPosY = MakeLabel(PanelSettings, "LblPosY", tr("Y=00"), 146, 350, 46);
}

void TSpriteEditor::ConnectSettings() {
  connect(RadioGroupMode, &TRadioGroup::ItemIndexChanged, this, [this] { ValueChange(RadioGroupMode); });
  for (TSpinEdit* spin : {SpinEditWidth, SpinEditHeight, SpinEditGridX, SpinEditGridY})
    connect(spin, &QSpinBox::valueChanged, this, [this, spin] { ValueChange(spin); });
  for (QCheckBox* box : {CheckBoxMasked, CheckBoxGrid})
    connect(box, &QCheckBox::toggled, this, [this, box] { ValueChange(box); });
  for (QComboBox* list : {CbSpriteAlignment, CbMaskAlignment, CbAttrMask})
    connect(list, &QComboBox::currentIndexChanged, this, [this, list] { CbFormatChange(list); });

  auto keyDown = [this](QObject* sender, int& key, Qt::KeyboardModifiers shift) { SpinEditKeyDown(sender, key, shift); };
  auto keyUp = [this](QObject* sender, int& key, Qt::KeyboardModifiers shift) { SpinEditKeyUp(sender, key, shift); };
  for (TSpinEdit* spin : {SpinEditWidth, SpinEditHeight, SpinEditGridX, SpinEditGridY, SpinEditTotalFrames})
    spin->OnKeyDown = keyDown;
  // The grid spacings keep their step of 1.
  for (TSpinEdit* spin : {SpinEditWidth, SpinEditHeight, SpinEditTotalFrames}) spin->OnKeyUp = keyUp;
}
