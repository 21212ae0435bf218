// The window at start-up and the settings panel: byte mode, width, grid, masking, the data
// size read-out and the window title.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <algorithm>

#include "canvas/canvas.h"
#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

class TSettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void startUp();
  void byteModeAlignsWidth_data();
  void byteModeAlignsWidth();
  void widthSetOffTheStepIsAlignedDown();
  void gridSpacingsFollowByteModeOnlyWhileHidden_data();
  void gridSpacingsFollowByteModeOnlyWhileHidden();
  void gridChangesRedrawButNeverMarkModified();
  void oneOutsideChangeRunsTheHandlerOnce();
  void unmaskingDisablesMaskControlsAndKeepsMaskPixels();
  void attributeControlsNeedSixBitMode();
  void canvasAndDataSizeFollowSettings();
  void title_data();
  void title();
  void markModifiedRebuildsTitleOnlyOnChange();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;

  // Forgets the modified mark so that a case sees only its own change.
  void ClearModified() {
    FEditor->FModified = false;
    FEditor->UpdateCaption(FEditor->FProjectFileName);
  }
  int Count(std::int32_t token) const {
    return int(std::count(FEditor->FRedrawQueue.begin(), FEditor->FRedrawQueue.end(), token));
  }
};

void TSettingsTest::init() { FEditor = std::make_unique<TSpriteEditor>(); }

void TSettingsTest::cleanup() { FEditor.reset(); }

void TSettingsTest::startUp() {
  TSpriteEditor& e = *FEditor;
  QCOMPARE(e.objectName(), QStringLiteral("SpriteEditor"));
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor"));
  QCOMPARE(e.FBaseCaption, QStringLiteral("Deduzu Sprite Editor"));
  QCOMPARE(e.LblBinDataSizeVal->text(), QStringLiteral("96 bytes"));
  QCOMPARE(e.PaintBox->size(), QSize(312, 296));
  QCOMPARE(e.FModified, false);
  QCOMPARE(e.FWidth, 12);
  QCOMPARE(e.FPaneStride, 13);
  QCOMPARE(e.FHeight, 24);
  QCOMPARE(e.FCurrentFrame, 0);
  QCOMPARE(e.FZoom, 12);
  QCOMPARE(e.FVersion, QString::fromUtf8(ProgramVersion()));
  QVERIFY(!e.FVersion.isEmpty());
  QVERIFY(e.FStartupFileName.isEmpty());  // the test runs without a project argument
  for (QPushButton* b : {e.BtnPrev, e.BtnNext, e.BtnMoveLeft, e.BtnMoveRight}) QVERIFY(!b->isEnabled());
  QVERIFY(e.CbMaskAlignment->isEnabled());
  QVERIFY(e.CbAttrMask->isEnabled());
  QVERIFY(e.LblAttrMask->isEnabled());
  QCOMPARE(e.RadioGroupMode->ItemIndex(), 0);
  QCOMPARE(e.SpinEditWidth->minimum(), 6);
  QCOMPARE(e.SpinEditWidth->singleStep(), 6);
  QCOMPARE(e.SpinEditWidth->maximum(), 240);
  QCOMPARE(e.SpinEditHeight->maximum(), 240);
  QCOMPARE(e.SpinEditTotalFrames->maximum(), 128);
  QCOMPARE(e.SliderFrame->maximum(), 1);
  QVERIFY(!e.CheckBoxGrid->isChecked());
  QVERIFY(e.CheckBoxMasked->isChecked());
  QCOMPARE(e.SpinEditGridX->value(), 6);
  QCOMPARE(e.SpinEditGridY->value(), 6);
  QCOMPARE(e.CbSpriteAlignment->currentText(), QStringLiteral("By rows"));
  QCOMPARE(e.CbMaskAlignment->currentText(), QStringLiteral("Mask byte interleaved with data byte"));
  QCOMPARE(e.CbAttrMask->currentText(), QStringLiteral("00"));
  QVERIFY(e.MiView100->isChecked());
  QCOMPARE(e.LblPosIn->text(), QStringLiteral("Position in"));
  QCOMPARE(e.LblPos->text(), QStringLiteral("Mask:"));
  QCOMPARE(e.LblPosX->text(), QStringLiteral("X=00"));
  QCOMPARE(e.LblPosY->text(), QStringLiteral("Y=00"));
  QCOMPARE(e.LblFrameNum->text(), QStringLiteral("1"));
  QCOMPARE(e.focusWidget(), e.SpinEditGridX);
  QVERIFY(Count(rtFull) >= 1);
  for (int f : {0, 127})
    for (bool mask : {false, true}) QCOMPARE(e.FStore.Pixel(f, mask, 239, 239), 0);
}

void TSettingsTest::byteModeAlignsWidth_data() {
  QTest::addColumn<int>("fromMode");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("toMode");
  QTest::addColumn<int>("expected");
  QTest::newRow("6-bit 12 -> 8-bit 8, not 16") << 0 << 12 << 1 << 8;
  QTest::newRow("6-bit 6 -> 8-bit 8") << 0 << 6 << 1 << 8;
  QTest::newRow("8-bit 16 -> 6-bit 12") << 1 << 16 << 0 << 12;
  QTest::newRow("8-bit 240 -> 6-bit 240") << 1 << 240 << 0 << 240;
  QTest::newRow("6-bit 234 -> 8-bit 232") << 0 << 234 << 1 << 232;
}

void TSettingsTest::byteModeAlignsWidth() {
  QFETCH(int, fromMode);
  QFETCH(int, width);
  QFETCH(int, toMode);
  QFETCH(int, expected);
  TSpriteEditor& e = *FEditor;
  e.RadioGroupMode->SetItemIndex(fromMode);
  e.SpinEditWidth->setValue(width);
  QCOMPARE(e.FWidth, width);
  ClearModified();

  e.RadioGroupMode->SetItemIndex(toMode);
  const int b = toMode == 1 ? 8 : 6;
  QCOMPARE(e.SpinEditWidth->value(), expected);
  QCOMPARE(e.SpinEditWidth->minimum(), b);
  QCOMPARE(e.SpinEditWidth->singleStep(), b);
  QCOMPARE(e.FWidth, expected);
  QCOMPARE(e.FPaneStride, expected + 1);
  QVERIFY(e.FModified);
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor - [* NoNameFile]"));
  QCOMPARE(e.LblBinDataSizeVal->text(), QStringLiteral("%1 bytes").arg(expected / b * 24 * 2));
}

void TSettingsTest::widthSetOffTheStepIsAlignedDown() {
  TSpriteEditor& e = *FEditor;
  e.SpinEditWidth->setValue(23);
  QCOMPARE(e.SpinEditWidth->value(), 18);
  QCOMPARE(e.FWidth, 18);
  e.RadioGroupMode->SetItemIndex(1);
  e.SpinEditWidth->setValue(31);
  QCOMPARE(e.FWidth, 24);
}

void TSettingsTest::gridSpacingsFollowByteModeOnlyWhileHidden_data() {
  QTest::addColumn<bool>("gridShown");
  QTest::addColumn<int>("spacing");
  QTest::addColumn<int>("in8Bit");
  QTest::addColumn<int>("backIn6Bit");
  QTest::newRow("hidden, 6") << false << 6 << 8 << 6;
  QTest::newRow("hidden, 16") << false << 16 << 16 << 6;
  QTest::newRow("hidden, 2") << false << 2 << 8 << 6;
  QTest::newRow("shown, 6") << true << 6 << 6 << 6;
  QTest::newRow("shown, 9") << true << 9 << 9 << 9;
}

void TSettingsTest::gridSpacingsFollowByteModeOnlyWhileHidden() {
  QFETCH(bool, gridShown);
  QFETCH(int, spacing);
  QFETCH(int, in8Bit);
  QFETCH(int, backIn6Bit);
  TSpriteEditor& e = *FEditor;
  e.CheckBoxGrid->setChecked(gridShown);
  e.SpinEditGridX->setValue(spacing);
  e.SpinEditGridY->setValue(spacing);
  e.RadioGroupMode->SetItemIndex(1);
  QCOMPARE(e.SpinEditGridX->value(), in8Bit);
  QCOMPARE(e.SpinEditGridY->value(), in8Bit);
  e.RadioGroupMode->SetItemIndex(0);
  QCOMPARE(e.SpinEditGridX->value(), backIn6Bit);
  QCOMPARE(e.SpinEditGridY->value(), backIn6Bit);
}

void TSettingsTest::gridChangesRedrawButNeverMarkModified() {
  TSpriteEditor& e = *FEditor;
  const QString size = e.LblBinDataSizeVal->text();
  auto check = [&](auto change) {
    e.FRedrawQueue.clear();
    change();
    QVERIFY(!e.FModified);
    QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor"));
    QCOMPARE(e.LblBinDataSizeVal->text(), size);
    QCOMPARE(Count(rtFull), 1);
  };
  check([&] { e.CheckBoxGrid->setChecked(true); });
  check([&] { e.SpinEditGridX->setValue(4); });
  check([&] { e.SpinEditGridY->setValue(16); });
  check([&] { e.CheckBoxGrid->setChecked(false); });
  // The drop-down lists are settings the project file keeps: each choice is a step that marks
  // the document modified, yet it neither redraws nor changes the data size.
  e.FRedrawQueue.clear();
  e.CbSpriteAlignment->setCurrentIndex(3);
  e.CbMaskAlignment->setCurrentIndex(5);
  e.CbAttrMask->setCurrentIndex(2);
  QVERIFY(e.FModified);
  QCOMPARE(e.FHistory.Count(), std::size_t(3));
  QCOMPARE(e.DataFormat().Order, doByColumnsZigZag);
  QCOMPARE(e.DataFormat().Arrangement, maDataLineFirst);
  QCOMPARE(e.DataFormat().AttrChoice, 2);
  QVERIFY(e.FRedrawQueue.empty());
  QCOMPARE(e.LblBinDataSizeVal->text(), size);
}

// A byte-mode change also changes the width and both spacings; the state is derived once,
// from the final values.
void TSettingsTest::oneOutsideChangeRunsTheHandlerOnce() {
  TSpriteEditor& e = *FEditor;
  e.FRedrawQueue.clear();
  e.RadioGroupMode->SetItemIndex(1);
  QCOMPARE(Count(rtFull), 1);
  QVERIFY(!e.FUpdating);
  QCOMPARE(e.FWidth, 8);
  QCOMPARE(e.PaintBox->size(), QSize(2 * 9 * 12, 24 * 12 + 8));
  // Setting the value a control already has runs nothing.
  e.FRedrawQueue.clear();
  e.RadioGroupMode->SetItemIndex(1);
  e.SpinEditHeight->setValue(24);
  e.CheckBoxMasked->setChecked(true);
  QVERIFY(e.FRedrawQueue.empty());
}

void TSettingsTest::unmaskingDisablesMaskControlsAndKeepsMaskPixels() {
  TSpriteEditor& e = *FEditor;
  e.FStore.SetPixel(0, true, 5, 7, 1);
  e.FStore.SetPixel(0, true, 200, 200, 1);  // hidden pixel
  e.FOnMask = true;
  e.CheckBoxMasked->setChecked(false);
  QCOMPARE(e.PaintBox->size(), QSize(156, 296));
  QVERIFY(!e.CbMaskAlignment->isEnabled());
  QVERIFY(!e.LblAttrMask->isEnabled());
  QVERIFY(!e.CbAttrMask->isEnabled());
  QCOMPARE(e.FMaskActions.size(), std::size_t(24));
  for (QAction* item : e.FMaskActions) QVERIFY(!item->isEnabled());
  QCOMPARE(e.LblBinDataSizeVal->text(), QStringLiteral("48 bytes"));
  QVERIFY(e.FModified);
  QVERIFY(!e.FOnMask);

  e.CheckBoxMasked->setChecked(true);
  QCOMPARE(e.PaintBox->size(), QSize(312, 296));
  for (QAction* item : e.FMaskActions) QVERIFY(item->isEnabled());
  QVERIFY(e.CbMaskAlignment->isEnabled());
  QCOMPARE(e.FStore.Pixel(0, true, 5, 7), 1);
  QCOMPARE(e.FStore.Pixel(0, true, 200, 200), 1);
  // And the mask pane shows it again.
  const QImage canvas = e.PaintBox->grab().toImage();
  QCOMPARE(canvas.pixel(156 + 5 * 12 + 3, 7 * 12 + 3), 0xFFFFFFFFu);
}

void TSettingsTest::attributeControlsNeedSixBitMode() {
  TSpriteEditor& e = *FEditor;
  e.RadioGroupMode->SetItemIndex(1);
  QVERIFY(e.CheckBoxMasked->isChecked());
  QVERIFY(e.CbMaskAlignment->isEnabled());
  QVERIFY(!e.CbAttrMask->isEnabled());
  QVERIFY(!e.LblAttrMask->isEnabled());
  e.RadioGroupMode->SetItemIndex(0);
  QVERIFY(e.CbAttrMask->isEnabled());
  QVERIFY(e.LblAttrMask->isEnabled());
}

void TSettingsTest::canvasAndDataSizeFollowSettings() {
  TSpriteEditor& e = *FEditor;
  e.SpinEditWidth->setValue(18);
  QCOMPARE(e.PaintBox->width(), 2 * 19 * 12);
  e.CheckBoxMasked->setChecked(false);
  QCOMPARE(e.PaintBox->width(), 19 * 12);

  e.SpinEditTotalFrames->setValue(3);
  e.RadioGroupMode->SetItemIndex(1);
  e.SpinEditWidth->setValue(24);
  e.SpinEditHeight->setValue(16);
  QCOMPARE(e.PaintBox->size(), QSize(25 * 12, 16 * 12 + 8));
  QCOMPARE(e.LblBinDataSizeVal->text(), QStringLiteral("144 bytes"));
  e.CheckBoxMasked->setChecked(true);
  QCOMPARE(e.LblBinDataSizeVal->text(), QStringLiteral("288 bytes"));

  // The largest document.
  e.RadioGroupMode->SetItemIndex(0);
  e.SpinEditWidth->setValue(240);
  e.SpinEditHeight->setValue(240);
  e.SpinEditTotalFrames->setValue(128);
  QCOMPARE(e.LblBinDataSizeVal->text(), QStringLiteral("2457600 bytes"));
}

void TSettingsTest::title_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<bool>("modified");
  QTest::addColumn<QString>("title");
  QTest::newRow("unnamed") << QString() << false << "Deduzu Sprite Editor";
  QTest::newRow("unnamed, modified") << QString() << true << "Deduzu Sprite Editor - [* NoNameFile]";
  QTest::newRow("named") << "/data/ship.sprite" << false << "Deduzu Sprite Editor - [/data/ship.sprite]";
  QTest::newRow("named, modified") << "/data/ship.sprite" << true << "Deduzu Sprite Editor - [* /data/ship.sprite]";
}

void TSettingsTest::title() {
  QFETCH(QString, path);
  QFETCH(bool, modified);
  QFETCH(QString, title);
  FEditor->FModified = modified;
  FEditor->UpdateCaption(path);
  QCOMPARE(FEditor->windowTitle(), title);
}

void TSettingsTest::markModifiedRebuildsTitleOnlyOnChange() {
  TSpriteEditor& e = *FEditor;
  e.FProjectFileName = QStringLiteral("/data/ship.sprite");
  e.MarkModified();
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor - [* /data/ship.sprite]"));
  e.setWindowTitle(QStringLiteral("left alone"));
  e.MarkModified();
  QCOMPARE(e.windowTitle(), QStringLiteral("left alone"));
}

QTEST_MAIN(TSettingsTest)
#include "settings_test.moc"
