// The window as the user sees it: every control at its place with its caption readable.
// With DEDUZU_SCREENSHOT set to a path, the test also saves a picture of the window with a
// drawn, masked sprite and the grid on.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QStyleOptionComboBox>
#include <QtTest>

#include "canvas/canvas.h"
#include "widgets/panel.h"
#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

class TLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void controlsSitAtTheirPlaces_data();
  void controlsSitAtTheirPlaces();
  void captionsFit();
  void clientAreaAndMinimumSize();
  void screenshot();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;
};

void TLayoutTest::cleanup() { FEditor.reset(); }

void TLayoutTest::init() {
  FEditor = std::make_unique<TSpriteEditor>();
  FEditor->show();
  QVERIFY(QTest::qWaitForWindowExposed(FEditor.get()));
}

void TLayoutTest::controlsSitAtTheirPlaces_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("place");  // a width or height of 0: natural size
  QTest::addColumn<int>("tag");
  QTest::newRow("RadioGroupMode") << "RadioGroupMode" << QRect(8, 8, 261, 65) << 0;
  QTest::newRow("GroupBoxSize") << "GroupBoxSize" << QRect(8, 79, 120, 82) << 0;
  QTest::newRow("SpinEditWidth") << "SpinEditWidth" << QRect(54, 21, 48, 22) << 1;
  QTest::newRow("SpinEditHeight") << "SpinEditHeight" << QRect(54, 49, 48, 22) << 2;
  QTest::newRow("GroupBoxGrid") << "GroupBoxGrid" << QRect(148, 79, 120, 82) << 0;
  QTest::newRow("CheckBoxGrid") << "CheckBoxGrid" << QRect(155, 79, 0, 17) << 4;
  QTest::newRow("SpinEditGridX") << "SpinEditGridX" << QRect(34, 21, 48, 22) << 5;
  QTest::newRow("SpinEditGridY") << "SpinEditGridY" << QRect(34, 49, 48, 22) << 6;
  QTest::newRow("GroupBoxFormat") << "GroupBoxFormat" << QRect(8, 167, 261, 174) << 0;
  QTest::newRow("CbSpriteAlignment") << "CbSpriteAlignment" << QRect(12, 40, 237, 0) << 0;
  QTest::newRow("CheckBoxMasked") << "CheckBoxMasked" << QRect(12, 69, 0, 17) << 3;
  QTest::newRow("CbMaskAlignment") << "CbMaskAlignment" << QRect(12, 92, 237, 0) << 0;
  QTest::newRow("CbAttrMask") << "CbAttrMask" << QRect(117, 121, 132, 0) << 0;
  QTest::newRow("LblPosIn") << "LblPosIn" << QRect(8, 350, 55, 13) << 0;
  QTest::newRow("LblPos") << "LblPos" << QRect(64, 350, 36, 13) << 0;
  QTest::newRow("LblPosX") << "LblPosX" << QRect(100, 350, 0, 0) << 0;
  QTest::newRow("LblPosY") << "LblPosY" << QRect(146, 350, 0, 0) << 0;
  QTest::newRow("BtnMoveLeft") << "BtnMoveLeft" << QRect(129, 3, 20, 25) << -1;
  QTest::newRow("BtnMoveRight") << "BtnMoveRight" << QRect(145, 3, 20, 25) << 1;
  QTest::newRow("SpinEditTotalFrames") << "SpinEditTotalFrames" << QRect(221, 4, 48, 22) << 7;
  QTest::newRow("SliderFrame") << "SliderFrame" << QRect(8, 24, 217, 38) << 0;
  QTest::newRow("BtnPrev") << "BtnPrev" << QRect(233, 31, 20, 25) << -1;
  QTest::newRow("BtnNext") << "BtnNext" << QRect(249, 31, 20, 25) << 1;
  QTest::newRow("PaintBox") << "PaintBox" << QRect(8, 8, 312, 296) << 0;
}

void TLayoutTest::controlsSitAtTheirPlaces() {
  QFETCH(QString, name);
  QFETCH(QRect, place);
  QFETCH(int, tag);
  auto* w = FEditor->findChild<QWidget*>(name);
  QVERIFY2(w != nullptr, qPrintable(name));
  QCOMPARE(w->pos(), place.topLeft());
  if (place.width() > 0) QCOMPARE(w->width(), place.width());
  if (place.height() > 0) QCOMPARE(w->height(), place.height());
  QCOMPARE(w->property("Tag").toInt(), tag);
}

void TLayoutTest::captionsFit() {
  for (QLabel* label : FEditor->findChildren<QLabel*>()) {
    const QFontMetrics fm(label->font());
    QVERIFY2(fm.horizontalAdvance(label->text()) <= label->width(), qPrintable(label->objectName()));
    QVERIFY2(fm.height() <= label->height() + 2, qPrintable(label->objectName()));
  }
  for (QAbstractButton* button : FEditor->findChildren<QAbstractButton*>()) {
    if (qobject_cast<QPushButton*>(button)) continue;  // the arrow buttons are checked below
    QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
    QVERIFY2(button->geometry().right() <= button->parentWidget()->width(), qPrintable(button->text()));
  }
  for (QPushButton* button : FEditor->findChildren<QPushButton*>())
    QVERIFY2(QFontMetrics(button->font()).horizontalAdvance(button->text()) + 4 <= button->width(),
             qPrintable(button->objectName()));
  // Every item of a drop-down list reads whole in the list's edit field.
  for (QComboBox* box : FEditor->findChildren<QComboBox*>()) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.frame = true;
    option.subControls = QStyle::SC_All;
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    for (int i = 0; i < box->count(); ++i)
      QVERIFY2(box->fontMetrics().horizontalAdvance(box->itemText(i)) <= field.width(), qPrintable(box->itemText(i)));
  }
  // Every control of the settings panel lies inside its parent.
  for (QWidget* w : FEditor->PanelSettings->findChildren<QWidget*>()) {
    if (w->isWindow() || !w->isVisible() || w->parentWidget() == nullptr) continue;
    QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(w->objectName()));
  }
}

void TLayoutTest::clientAreaAndMinimumSize() {
  QCOMPARE(FEditor->centralWidget()->size(), QSize(617, 450));
  QCOMPARE(FEditor->PanelSettings->width(), 281);
  QCOMPARE(FEditor->ScrollBox->geometry(), QRect(281 + 8, 8, 320, 450 - 16));
  QCOMPARE(FEditor->PanelFrames->geometry(), QRect(0, 450 - 65, 279, 65));
  QCOMPARE(FEditor->centralWidget()->minimumSizeHint(), QSize(617, 450));
  FEditor->resize(900, 700);
  QTRY_COMPARE(FEditor->PanelSettings->width(), 281);
  QCOMPARE(FEditor->PanelFrames->y(), FEditor->PanelSettings->height() - 65);
  QCOMPARE(FEditor->ScrollBox->width(), FEditor->centralWidget()->width() - 281 - 16);
}

void TLayoutTest::screenshot() {
  TSpriteEditor& w = *FEditor;
  // A small ship with its mask: the mask is clear under the ship and one cell around it.
  const char* ship[] = {"....##......", "...####.....", "..######....", ".##.##.##...", "############",
                        "..#....#....", ".#......#...", "#........#.."};
  TSpriteStore& s = w.FStore;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x)
      if (ship[y][x] == '#') s.SetPixel(0, false, x, y + 8, 1);
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 24; ++y) s.SetPixel(0, true, x, y, 1);
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 24; ++y)
      if (s.Pixel(0, false, x, y))
        for (int dx = -1; dx <= 1; ++dx)
          for (int dy = -1; dy <= 1; ++dy)
            if (x + dx >= 0 && x + dx < 12 && y + dy >= 0 && y + dy < 24) s.SetPixel(0, true, x + dx, y + dy, 0);
  w.CheckBoxGrid->setChecked(true);
  w.SpinEditTotalFrames->setValue(4);
  w.SliderFrame->setValue(1);
  QTest::mouseMove(w.PaintBox, QPoint(30, 110));
  w.ProcessRedrawQueue();
  const QImage image = w.grab().toImage();
  QCOMPARE(image.size(), w.size());
  // The canvas shows the ship: cell (4, 8) of the sprite pane is set, cell (0, 8) clear.
  const QPoint canvas = w.PaintBox->mapTo(&w, QPoint(0, 0));
  QCOMPARE(image.pixel(canvas + QPoint(4 * 12 + 5, 8 * 12 + 5)), 0xFFFFFFFFu);
  QCOMPARE(image.pixel(canvas + QPoint(0 * 12 + 5, 8 * 12 + 5)), 0xFF444444u);
  QCOMPARE(w.LblPosX->text(), QStringLiteral("X=2"));
  const QString path = qEnvironmentVariable("DEDUZU_SCREENSHOT");
  if (!path.isEmpty()) QVERIFY(image.save(path));
}

QTEST_MAIN(TLayoutTest)
#include "layout_test.moc"
