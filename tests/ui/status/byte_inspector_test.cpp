// The byte inspector in the status bar, checked against the raw export itself: the byte it
// names must hold the pixel under the pointer, and drawing that pixel must flip exactly the
// bit it names.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSlider>
#include <QStatusBar>
#include <QtTest>
#include <random>

#include "canvas/canvas.h"
#include "exchange/raw_layout.h"
#include "support/random_fill.h"
#include "widgets/radio_group.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

struct TShown {
  bool Ok = false;
  int Offset = -1;
  int Size = -1;
  int Value = -1;
  int Bit = -1;
};

// Reads "byte 37 of 96 ($25): $A5 %10100101, bit 3"; the hex offset and the binary value
// must agree with the decimal offset and the hex value.
TShown Parse(const QString& text) {
  static const QRegularExpression re(
      QStringLiteral("^byte (\\d+) of (\\d+) \\(\\$([0-9A-F]+)\\): \\$([0-9A-F]{2}) %([01]{8}), bit ([0-7])$"));
  const QRegularExpressionMatch m = re.match(text);
  TShown s;
  if (!m.hasMatch()) return s;
  s.Offset = m.captured(1).toInt();
  s.Size = m.captured(2).toInt();
  s.Value = m.captured(4).toInt(nullptr, 16);
  s.Bit = m.captured(6).toInt();
  s.Ok = m.captured(3).toInt(nullptr, 16) == s.Offset && m.captured(5).toInt(nullptr, 2) == s.Value &&
         m.captured(3) == QString::number(s.Offset, 16).toUpper();
  return s;
}

}  // namespace

class TByteInspectorTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void statusBarBelowTheClientArea();
  void namesTheExportedByteOfTheCellUnderThePointer_data();
  void namesTheExportedByteOfTheCellUnderThePointer();
  void realPointerMoveShowsTheStartupExample();
  void emptyOverNoCell();
  void followsSettingsFramesAndUndo();
  void screenshot();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;
  QString Shown() const { return FEditor->LblByteInfo->text(); }
  // The paint-box position of the middle of cell (x, y) of a pane.
  QPoint CellCentre(bool mask, int x, int y) const {
    const int z = FEditor->FZoom;
    return QPoint((mask ? FEditor->FPaneStride * z : 0) + x * z + z / 2, y * z + z / 2);
  }
  std::vector<std::uint8_t> Export() const {
    const TDocumentSettings& s = FEditor->FDocument.Settings;
    return ExportFrames(FEditor->FStore, s.Format, s.Width, s.Height, s.FrameCount);
  }
  void MoveTo(bool mask, int x, int y) {
    const QPoint p = CellCentre(mask, x, y);
    FEditor->PaintBoxMouseMove({}, p.x(), p.y());
  }
  void CheckCell(bool mask, int x, int y);
};

void TByteInspectorTest::init() {
  FEditor = std::make_unique<TSpriteEditor>();
  FEditor->show();
  QVERIFY(QTest::qWaitForWindowExposed(FEditor.get()));
}

void TByteInspectorTest::cleanup() { FEditor.reset(); }

void TByteInspectorTest::statusBarBelowTheClientArea() {
  QStatusBar* bar = FEditor->findChild<QStatusBar*>("StatusBar");
  QVERIFY(bar != nullptr);
  QVERIFY(bar->isVisible());
  QCOMPARE(FEditor->findChild<QLabel*>("LblByteInfo"), FEditor->LblByteInfo);
  QCOMPARE(FEditor->LblByteInfo->parentWidget(), static_cast<QWidget*>(bar));
  // The client area keeps its 617 x 450 above the status bar.
  QCOMPARE(FEditor->centralWidget()->size(), QSize(617, 450));
  QVERIFY(bar->geometry().top() >= FEditor->centralWidget()->geometry().bottom());
  QCOMPARE(Shown(), QString());  // the pointer has not touched the canvas yet
}

// At the cell under the pointer: the label's byte is the export's byte there, and drawing
// that one pixel changes exactly the named bit of the export.
void TByteInspectorTest::CheckCell(bool mask, int x, int y) {
  const QString where = QStringLiteral("%1 (%2, %3)").arg(mask ? "mask" : "sprite").arg(x).arg(y);
  const TDocumentSettings s = FEditor->FDocument.Settings;
  const int block = FrameBlockSize(s.Format, s.Width, s.Height);
  MoveTo(mask, x, y);
  const TShown before = Parse(Shown());
  QVERIFY2(before.Ok, qPrintable(where + ": " + Shown()));
  QCOMPARE(before.Size, block);
  QVERIFY(before.Offset < block);
  const std::vector<std::uint8_t> was = Export();
  const std::size_t at = std::size_t(s.CurrentFrame * block + before.Offset);
  QVERIFY2(was[at] == before.Value, qPrintable(where));

  // A left press sets a clear pixel, a right press clears a set one.
  const bool set = FEditor->FStore.Pixel(s.CurrentFrame, mask, x, y) != 0;
  const QPoint p = CellCentre(mask, x, y);
  const Qt::MouseButton button = set ? Qt::RightButton : Qt::LeftButton;
  FEditor->PaintBoxMouseDown(button, {}, p.x(), p.y());
  FEditor->PaintBoxMouseUp(button, {}, p.x(), p.y());
  QCOMPARE(int(FEditor->FStore.Pixel(s.CurrentFrame, mask, x, y)), set ? 0 : 1);

  const std::vector<std::uint8_t> now = Export();
  QCOMPARE(now.size(), was.size());
  for (std::size_t i = 0; i < now.size(); ++i)
    QVERIFY2((now[i] ^ was[i]) == (i == at ? 1 << before.Bit : 0),
             qPrintable(where + QStringLiteral(" byte %1").arg(i)));
  const TShown after = Parse(Shown());
  QVERIFY2(after.Ok, qPrintable(Shown()));
  QCOMPARE(after.Offset, before.Offset);
  QCOMPARE(after.Bit, before.Bit);
  QCOMPARE(after.Value, int(now[at]));
}

void TByteInspectorTest::namesTheExportedByteOfTheCellUnderThePointer_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<int>("order");
  QTest::addColumn<bool>("masked");
  QTest::addColumn<int>("arrangement");
  QTest::addColumn<int>("attr");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("height");
  QTest::addColumn<int>("frames");
  QTest::addColumn<int>("frame");  // 1-based, as the slider counts
  QTest::newRow("start-up") << 0 << 0 << true << 0 << 0 << 12 << 24 << 1 << 1;
  QTest::newRow("6 bit, columns zig-zag, whole mask, attr 10, frame 2 of 3")
      << 0 << 3 << true << 2 << 2 << 18 << 7 << 3 << 2;
  QTest::newRow("8 bit, rows zig-zag, data line first, frame 2 of 2") << 1 << 2 << true << 5 << 0 << 24 << 5 << 2 << 2;
  QTest::newRow("8 bit, columns, unmasked") << 1 << 1 << false << 0 << 0 << 40 << 9 << 1 << 1;
  QTest::newRow("6 bit, columns, data byte first, attr 11") << 0 << 1 << true << 1 << 3 << 30 << 4 << 1 << 1;
  QTest::newRow("6 bit, rows zig-zag, mask line first, attr 01, 240 wide")
      << 0 << 2 << true << 4 << 1 << 240 << 3 << 1 << 1;
  QTest::newRow("8 bit, columns zig-zag, whole data first, 240 high")
      << 1 << 3 << true << 3 << 2 << 16 << 240 << 1 << 1;
  QTest::newRow("6 bit, rows, unmasked, stale whole-mask arrangement")
      << 0 << 0 << false << 2 << 0 << 42 << 5 << 1 << 1;
}

void TByteInspectorTest::namesTheExportedByteOfTheCellUnderThePointer() {
  QFETCH(int, mode);
  QFETCH(int, order);
  QFETCH(bool, masked);
  QFETCH(int, arrangement);
  QFETCH(int, attr);
  QFETCH(int, width);
  QFETCH(int, height);
  QFETCH(int, frames);
  QFETCH(int, frame);
  TSpriteEditor& e = *FEditor;
  e.RadioGroupMode->SetItemIndex(mode);
  e.CbSpriteAlignment->setCurrentIndex(order);
  e.CbMaskAlignment->setCurrentIndex(arrangement);
  e.CbAttrMask->setCurrentIndex(attr);
  e.CheckBoxMasked->setChecked(masked);
  e.SpinEditWidth->setValue(width);
  e.SpinEditHeight->setValue(height);
  e.SpinEditTotalFrames->setValue(frames);
  e.SliderFrame->setValue(frame);
  const TDocumentSettings& s = e.FDocument.Settings;
  QCOMPARE(int(s.Format.ByteMode), mode);
  QCOMPARE(int(s.Format.Order), order);
  QCOMPARE(s.Format.Masked, masked);
  QCOMPARE(int(s.Format.Arrangement), arrangement);
  QCOMPARE(s.Format.AttrChoice, attr);
  QCOMPARE(s.Width, width);
  QCOMPARE(s.Height, height);
  QCOMPARE(s.FrameCount, frames);
  QCOMPARE(s.CurrentFrame, frame - 1);
  FillRandom(e.FStore, 1234u + unsigned(width * 7 + height), frames);

  std::mt19937 rng(unsigned(width + 100 * height));
  std::uniform_int_distribution<int> rx(0, width - 1), ry(0, height - 1);
  for (bool mask : {false, true}) {
    if (mask && !masked) continue;
    std::vector<std::pair<int, int>> cells = {{0, 0}, {width - 1, height - 1}, {width - 1, 0}, {0, height - 1}};
    for (int i = 0; i < 6; ++i) cells.emplace_back(rx(rng), ry(rng));
    for (auto [x, y] : cells) {
      CheckCell(mask, x, y);
      if (QTest::currentTestFailed()) return;
    }
  }
}

// Through the paint box's own mouse events: the example of the start-up settings.
void TByteInspectorTest::realPointerMoveShowsTheStartupExample() {
  FEditor->FStore.SetPixel(0, false, 0, 9, 1);
  FEditor->FStore.SetPixel(0, false, 3, 9, 1);
  FEditor->FStore.SetPixel(0, true, 3, 9, 1);  // the mask byte beside it differs
  // Sprite cell (3, 9): row 9 starts at byte 36 with its first mask byte, then the sprite byte.
  QTest::mouseMove(FEditor->PaintBox, CellCentre(false, 3, 9));
  QTRY_COMPARE(Shown(), QStringLiteral("byte 37 of 96 ($25): $09 %00001001, bit 3"));
  QCOMPARE(Export()[37], std::uint8_t(0x09));
  QTest::mouseMove(FEditor->PaintBox, CellCentre(true, 3, 9));
  QTRY_COMPARE(Shown(), QStringLiteral("byte 36 of 96 ($24): $08 %00001000, bit 3"));
}

void TByteInspectorTest::emptyOverNoCell() {
  MoveTo(false, 2, 4);
  QVERIFY(Parse(Shown()).Ok);
  // The separating column, the bottom margin and beyond the mask pane lie in no cell.
  for (QPoint p : {QPoint(150, 50), QPoint(30, 290), QPoint(305, 50), QPoint(-3, 10)}) {
    MoveTo(false, 2, 4);
    FEditor->PaintBoxMouseMove({}, p.x(), p.y());
    QVERIFY2(Shown().isEmpty(), qPrintable(QStringLiteral("%1,%2: %3").arg(p.x()).arg(p.y()).arg(Shown())));
  }
  MoveTo(true, 1, 1);
  QVERIFY(Parse(Shown()).Ok);
  FEditor->PaintBoxMouseLeave();
  QVERIFY(Shown().isEmpty());
  // Over the mask pane, then masking goes off: there is no mask byte left to show.
  MoveTo(true, 1, 1);
  FEditor->CheckBoxMasked->setChecked(false);
  QVERIFY2(Shown().isEmpty(), qPrintable(Shown()));
  // A cell that the sprite area no longer covers after the height shrinks.
  MoveTo(false, 2, 20);
  QVERIFY(Parse(Shown()).Ok);
  FEditor->SpinEditHeight->setValue(10);
  QVERIFY2(Shown().isEmpty(), qPrintable(Shown()));
}

// The pointer stays over one cell while the settings, the frame and the history move under it.
void TByteInspectorTest::followsSettingsFramesAndUndo() {
  TSpriteEditor& e = *FEditor;
  e.SpinEditTotalFrames->setValue(2);
  FillRandom(e.FStore, 99u, 2);
  e.FStore.SetPixel(0, false, 7, 5, 0);
  e.FStore.SetPixel(1, false, 7, 5, 1);
  MoveTo(false, 7, 5);
  auto matchesExport = [&] {
    const TShown shown = Parse(Shown());
    if (!shown.Ok) return false;
    const TDocumentSettings& s = e.FDocument.Settings;
    const int block = FrameBlockSize(s.Format, s.Width, s.Height);
    return shown.Size == block && Export()[std::size_t(s.CurrentFrame * block + shown.Offset)] == shown.Value;
  };
  QVERIFY(matchesExport());
  const QString startText = Shown();
  QCOMPARE(Parse(startText).Offset, 5 * 4 + 3);  // row 5, second byte column, sprite after mask

  e.CbMaskAlignment->setCurrentIndex(maWholeMaskFirst);  // the sprite follows the 48 mask bytes
  QCOMPARE(Parse(Shown()).Offset, 48 + 5 * 2 + 1);
  QVERIFY(matchesExport());
  e.CbSpriteAlignment->setCurrentIndex(doByColumnsZigZag);  // byte column 1 runs upward
  QCOMPARE(Parse(Shown()).Offset, 48 + 24 + (23 - 5));
  QVERIFY(matchesExport());
  e.CbAttrMask->setCurrentIndex(3);
  e.RadioGroupMode->SetItemIndex(bmClassic8);  // the width becomes 8: pixel 7 is bit 0 of byte column 0
  QCOMPARE(Parse(Shown()).Bit, 0);
  QCOMPARE(Parse(Shown()).Size, 2 * 24);
  QVERIFY(matchesExport());

  // Pixel (7, 5) differs between the frames, so does the byte that holds it.
  const int valueFrame1 = Parse(Shown()).Value;
  e.SliderFrame->setValue(2);
  QVERIFY(matchesExport());
  QVERIFY(Parse(Shown()).Value != valueFrame1);

  for (int i = 0; i < 4; ++i) e.MiUndoClick(nullptr);  // byte mode, attribute, order, arrangement
  QCOMPARE(e.FDocument.Settings.Format, TDataFormat{});
  e.SliderFrame->setValue(1);
  QCOMPARE(Shown(), startText);
}

// With DEDUZU_SCREENSHOT_DIR set: the window with the status bar showing a byte, and the
// window with the tool tip of a mask arrangement item.
void TByteInspectorTest::screenshot() {
  const QByteArray dir = qgetenv("DEDUZU_SCREENSHOT_DIR");
  if (dir.isEmpty()) QSKIP("DEDUZU_SCREENSHOT_DIR not set");
  TSpriteEditor& e = *FEditor;
  const char* ship[] = {"....##......", "...####.....", "..######....", ".##.##.##...",
                        "############", "..#....#....", ".#......#...", "#........#.."};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) e.FStore.SetPixel(0, false, x, y + 8, ship[y][x] == '#');
  e.MiGenStdMaskClick(nullptr);
  e.CheckBoxGrid->setChecked(true);
  QTest::mouseMove(e.PaintBox, CellCentre(false, 4, 11));
  QTRY_VERIFY(Parse(Shown()).Ok);
  e.ApplicationEventsIdle();
  QVERIFY(e.grab().save(QString::fromLocal8Bit(dir) + "/inspect-status.png"));
}

QTEST_MAIN(TByteInspectorTest)
#include "byte_inspector_test.moc"
