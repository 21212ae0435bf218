// The drawing tools on a masked 12 x 24 sprite at zoom 12 (mask pane from x = 156): the tool
// bar and its keys, gapless strokes, lines, rectangles and the fill with both buttons in both
// panes, the shape shown while dragged, Escape, mirrored drawing and one undo step for each.

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <random>

#include "canvas/canvas.h"
#include "support/document_compare.h"
#include "support/plane_fixture.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

namespace {

constexpr int MaskLeft = 156;
// The centre of cell c of a pane, in paint-box pixels.
int At(int c) { return c * 12 + 5; }
int MaskAt(int c) { return MaskLeft + At(c); }

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

TPoints PointsOf(const std::vector<TCell>& cells) {
  TPoints p;
  for (const TCell& c : cells) p.insert({c.X, c.Y});
  return p;
}

// The cells inside the 12 x 24 sprite area.
TPoints Clipped(const TPoints& points) {
  TPoints p;
  for (auto [x, y] : points)
    if (x >= 0 && x < 12 && y >= 0 && y < 24) p.insert({x, y});
  return p;
}

}  // namespace

class TDrawingToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void toolBar();
  void toolKeysWinOverTheFocusedControl_data();
  void toolKeysWinOverTheFocusedControl();
  void quickStrokeHasNoGaps();
  void randomStrokesAgainstTheirLines();
  void shapes_data();
  void shapes();
  void escapeCancelsTheShapeFromAFocusedControl();
  void shapeStaysWhileThePointerIsOutsideAndTheReleaseWritesIt();
  void pressOfAnotherButtonOrUndoCancelsTheShape();
  void shapeThatChangesNothingIsNoStep();
  void fill_data();
  void fill();
  void mirroredFillLeavesAMirrorImageOfAnotherKind();
  void frameCommandEndsTheStrokeAndDropsTheShape();
  void mirroredDrawing_data();
  void mirroredDrawing();
  void screenshots();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;
  TSpriteEditor& E() { return *FEditor; }
  TPaintBox* Box() { return FEditor->PaintBox; }
  TPoints Set(bool mask) { return SetPixels(FEditor->FStore.Plane(0, mask)); }
  void Choose(QAction* tool) {
    tool->trigger();
    QVERIFY(tool->isChecked());
  }
};

void TDrawingToolsTest::init() {
  FEditor = std::make_unique<TSpriteEditor>();
  FEditor->show();
  FEditor->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(FEditor.get()));
}

void TDrawingToolsTest::cleanup() {
  for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
    if (QTestPrivate::qtestMouseButtons.testFlag(b)) QTest::mouseRelease(Box(), b, {}, QPoint(1, 1));
  FEditor.reset();
}

void TDrawingToolsTest::toolBar() {
  auto* bar = FEditor->findChild<QToolBar*>("ToolBarTools");
  QVERIFY(bar != nullptr);
  QVERIFY(bar->isVisible());
  struct TRow {
    const char* Name;
    const char* Text;
    QKeySequence Key;
    const char* Tip;
  } const rows[] = {
      {"TbPencil", "Pencil", QKeySequence(Qt::Key_B), "Pencil (B)"},
      {"TbLine", "Line", QKeySequence(Qt::Key_L), "Line (L)"},
      {"TbRectangle", "Rectangle", QKeySequence(Qt::Key_U), "Rectangle (U)"},
      {"TbFilledRectangle", "Filled rectangle", QKeySequence(Qt::SHIFT | Qt::Key_U), "Filled rectangle (Shift+U)"},
      {"TbFill", "Fill", QKeySequence(Qt::Key_G), "Fill (G)"},
      {"TbMirrorHorizontal", "Mirror left\u2013right", QKeySequence(Qt::Key_M), "Mirror left\u2013right (M)"},
      {"TbMirrorVertical", "Mirror top\u2013bottom", QKeySequence(Qt::SHIFT | Qt::Key_M), "Mirror top\u2013bottom (Shift+M)"},
  };
  for (const TRow& r : rows) {
    auto* action = bar->findChild<QAction*>(r.Name, Qt::FindDirectChildrenOnly);
    if (action == nullptr) action = FEditor->findChild<QAction*>(r.Name);
    QVERIFY2(action != nullptr, r.Name);
    QVERIFY2(bar->actions().contains(action), r.Name);
    QCOMPARE(action->text(), QString::fromUtf8(r.Text));
    QCOMPARE(action->shortcut(), r.Key);
    QCOMPARE(action->toolTip(), QString::fromUtf8(r.Tip));
    QVERIFY(action->isCheckable());
    QVERIFY2(!action->icon().isNull(), r.Name);
  }
  QVERIFY(E().TbPencil->isChecked());
  QCOMPARE(E().FTool, dtPencil);
  // One tool at a time; the mirrors are toggles beside them.
  E().TbFill->trigger();
  QVERIFY(!E().TbPencil->isChecked());
  QCOMPARE(E().FTool, dtFill);
  E().TbMirrorHorizontal->trigger();
  E().TbMirrorVertical->trigger();
  QCOMPARE(E().FMirror, mmBoth);
  QVERIFY(E().TbFill->isChecked());
  E().TbMirrorHorizontal->trigger();
  QCOMPARE(E().FMirror, mmTopBottom);
  // No tool key is the shortcut of a menu item.
  for (QAction* item : FEditor->findChildren<QAction*>())
    for (QAction* tool : bar->actions())
      if (item != tool && !item->shortcut().isEmpty())
        QVERIFY2(item->shortcut() != tool->shortcut(), qPrintable(item->objectName()));
}

void TDrawingToolsTest::toolKeysWinOverTheFocusedControl_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<int>("tool");
  QTest::addColumn<int>("mirror");
  const struct {
    int Key;
    int Modifiers;
    int Tool;
    int Mirror;
  } keys[] = {{Qt::Key_L, 0, dtLine, mmNone},
              {Qt::Key_U, 0, dtRectangle, mmNone},
              {Qt::Key_U, Qt::ShiftModifier, dtFilledRectangle, mmNone},
              {Qt::Key_G, 0, dtFill, mmNone},
              {Qt::Key_B, 0, dtPencil, mmNone},
              {Qt::Key_M, 0, dtPencil, mmLeftRight},
              {Qt::Key_M, Qt::ShiftModifier, dtPencil, mmTopBottom}};
  // The order list's items start with B, the arrangement list's with M and D: they would
  // take those letters to search their items.
  for (const char* control : {"SpinEditWidth", "CbSpriteAlignment", "CbMaskAlignment", "SliderFrame"})
    for (const auto& k : keys)
      QTest::addRow("%s %s%s", control, k.Modifiers ? "Shift+" : "", qPrintable(QKeySequence(k.Key).toString()))
          << control << k.Key << k.Modifiers << k.Tool << k.Mirror;
}

void TDrawingToolsTest::toolKeysWinOverTheFocusedControl() {
  QFETCH(QString, control);
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(int, tool);
  QFETCH(int, mirror);
  if (key == Qt::Key_B) E().TbFill->trigger();  // so that B has something to change
  auto* widget = FEditor->findChild<QWidget*>(control);
  QVERIFY(widget != nullptr);
  widget->setFocus();
  QTRY_VERIFY(widget->hasFocus());
  auto* box = qobject_cast<QComboBox*>(widget);
  const int index = box ? box->currentIndex() : -1;
  const int width = E().SpinEditWidth->value();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
  QCOMPARE(int(E().FTool), tool);
  QCOMPARE(int(E().FMirror), mirror);
  if (box) QCOMPARE(box->currentIndex(), index);
  QCOMPARE(E().SpinEditWidth->value(), width);
  QCOMPARE(E().SliderFrame->value(), 1);
  QVERIFY(widget->hasFocus());
}

// One move from the top-left cell to the bottom-right one, through real mouse events.
void TDrawingToolsTest::quickStrokeHasNoGaps() {
  QTest::mousePress(Box(), Qt::LeftButton, {}, QPoint(At(0), At(0)));
  QTest::mouseMove(Box(), QPoint(At(11), At(23)));
  QTest::mouseRelease(Box(), Qt::LeftButton, {}, QPoint(At(11), At(23)));
  const TPoints drawn = Set(false);
  QCOMPARE(drawn, PointsOf(LineCells({0, 0}, {11, 23})));
  QCOMPARE(drawn.size(), std::size_t(24));  // one cell in every row
  for (int y = 0; y < 24; ++y)
    QVERIFY2(std::count_if(drawn.begin(), drawn.end(), [y](auto p) { return p.second == y; }) == 1,
             qPrintable(QString::number(y)));
  QCOMPARE(E().FHistory.Count(), std::size_t(1));
  E().MiUndo->trigger();
  QVERIFY(Set(false).empty());
}

// Strokes of far-apart positions anywhere over the paint box, margins and the other pane
// included: exactly the cells of the lines between them inside the sprite area of the pane
// the stroke started in, as one undo step.
void TDrawingToolsTest::randomStrokesAgainstTheirLines() {
  std::mt19937 rng(3);
  const QSize box = Box()->size();
  for (int round = 0; round < 30; ++round) {
    FEditor->FStore.ClearAll();
    const bool mask = round % 2 == 1;
    const int left = mask ? MaskLeft : 0;
    const bool erase = round % 3 == 2;
    if (erase)
      for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 24; ++y) FEditor->FStore.SetPixel(0, mask, x, y, 1);
    const TPoints before = Set(mask);
    const std::size_t steps = E().FHistory.Index();
    QPoint p(left + int(rng() % 144), int(rng() % 288));
    TPoints expected;
    TCell last{FloorDiv(p.x() - left, 12), p.y() / 12};
    expected.insert({last.X, last.Y});
    const Qt::MouseButton button = erase ? Qt::RightButton : Qt::LeftButton;
    E().PaintBoxMouseDown(button, {}, p.x(), p.y());
    for (int m = 0; m < 8; ++m) {
      p = QPoint(int(rng() % unsigned(box.width())), int(rng() % unsigned(box.height())));
      E().PaintBoxMouseMove({}, p.x(), p.y());
      const TCell next{FloorDiv(p.x() - left, 12), p.y() / 12};
      for (const TCell& c : LineCells(last, next)) expected.insert({c.X, c.Y});
      last = next;
    }
    E().PaintBoxMouseUp(button, {}, p.x(), p.y());
    expected = Clipped(expected);
    if (erase) {
      TPoints left = before;
      for (auto c : expected) left.erase(c);
      QCOMPARE(Set(mask), left);
    } else {
      QCOMPARE(Set(mask), expected);
    }
    QVERIFY(Set(!mask).empty());
    QCOMPARE(E().FHistory.Index(), steps + 1);
    E().MiUndo->trigger();
    QCOMPARE(Set(mask), before);
    E().MiRedo->trigger();
  }
}

void TDrawingToolsTest::shapes_data() {
  QTest::addColumn<int>("tool");
  QTest::addColumn<int>("button");
  QTest::addColumn<bool>("mask");
  QTest::addColumn<QPoint>("from");  // cells of the pane
  QTest::addColumn<QPoint>("to");
  QTest::addColumn<QPoint>("pointer");  // where the pointer ends, paint-box pixels (-1: over `to`)
  QTest::addColumn<QString>("text");
  QTest::newRow("line, left, sprite") << int(dtLine) << int(Qt::LeftButton) << false << QPoint(1, 2) << QPoint(10, 19)
                                      << QPoint(-1, -1) << "Line";
  QTest::newRow("line, right, mask") << int(dtLine) << int(Qt::RightButton) << true << QPoint(11, 0) << QPoint(0, 5)
                                     << QPoint(-1, -1) << "Line";
  QTest::newRow("rectangle, left, mask") << int(dtRectangle) << int(Qt::LeftButton) << true << QPoint(8, 20)
                                         << QPoint(2, 3) << QPoint(-1, -1) << "Rectangle";
  QTest::newRow("rectangle, right, sprite") << int(dtRectangle) << int(Qt::RightButton) << false << QPoint(0, 0)
                                            << QPoint(11, 23) << QPoint(-1, -1) << "Rectangle";
  QTest::newRow("filled rectangle, left, sprite") << int(dtFilledRectangle) << int(Qt::LeftButton) << false
                                                  << QPoint(3, 4) << QPoint(7, 9) << QPoint(-1, -1)
                                                  << "Filled rectangle";
  QTest::newRow("filled rectangle, right, mask") << int(dtFilledRectangle) << int(Qt::RightButton) << true
                                                 << QPoint(5, 5) << QPoint(5, 5) << QPoint(-1, -1)
                                                 << "Filled rectangle";
  // Into the mask pane and the bottom margin: the far end stays at the sprite pane's edge.
  QTest::newRow("line dragged over the other pane") << int(dtLine) << int(Qt::LeftButton) << false << QPoint(2, 2)
                                                    << QPoint(11, 23) << QPoint(MaskAt(4), 292) << "Line";
  QTest::newRow("rectangle dragged over the sprite pane") << int(dtRectangle) << int(Qt::LeftButton) << true
                                                          << QPoint(6, 6) << QPoint(0, 6) << QPoint(At(3), At(6))
                                                          << "Rectangle";
}

void TDrawingToolsTest::shapes() {
  QFETCH(int, tool);
  QFETCH(int, button);
  QFETCH(bool, mask);
  QFETCH(QPoint, from);
  QFETCH(QPoint, to);
  QFETCH(QPoint, pointer);
  QFETCH(QString, text);
  const bool erase = button == Qt::RightButton;
  TSpriteStore& s = FEditor->FStore;
  FillPattern(s, 0, false);
  FillPattern(s, 0, true);
  if (erase) {
    for (int x = 0; x < 12; ++x)
      for (int y = 0; y < 24; ++y) s.SetPixel(0, mask, x, y, 1);
  }
  auto before = std::make_unique<TSpriteDocument>();
  CopyDocument(E().FDocument, *before);
  for (QAction* a : E().ToolBarTools->actions())
    if (TagOf(a) == tool && E().ToolGroup->actions().contains(a)) Choose(a);
  QCOMPARE(int(E().FTool), tool);
  const int left = mask ? MaskLeft : 0;
  if (pointer.x() < 0) pointer = QPoint(left + At(to.x()), At(to.y()));

  QTest::mousePress(Box(), Qt::MouseButton(button), {}, QPoint(left + At(from.x()), At(from.y())));
  QTest::mouseMove(Box(), QPoint(left + At(from.x() / 2 + 1), At(from.y() / 2 + 1)));  // on the way
  QTest::mouseMove(Box(), pointer);
  const std::vector<TCell> cells =
      tool == dtLine ? LineCells({from.x(), from.y()}, {to.x(), to.y()})
                     : RectangleCells({from.x(), from.y()}, {to.x(), to.y()}, tool == dtFilledRectangle ? rkFilled : rkOutline);
  // While dragging: the shape is shown in the value it will write, the document is untouched.
  QVERIFY(E().FShaping);
  QCOMPARE(PointsOf(E().FShapeOverlay.Cells), PointsOf(cells));
  QVERIFY(SameDocument(E().FDocument, *before));
  QCOMPARE(E().FHistory.Count(), std::size_t(0));
  const TCanvasView view = E().CanvasView();
  const QImage canvas = RenderCanvas(view, QRect(QPoint(0, 0), CanvasSize(view)));
  for (const TCell& c : cells)
    QCOMPARE(canvas.pixel(CellRect(view, mask, c.X, c.Y).center()), erase ? view.ColorOff : view.ColorOn);
  QCOMPARE(canvas.pixel(CellRect(view, !mask, cells[0].X, cells[0].Y).center()),
           s.Pixel(0, !mask, cells[0].X, cells[0].Y) ? view.ColorOn : view.ColorOff);

  QTest::mouseRelease(Box(), Qt::MouseButton(button), {}, pointer);
  QVERIFY(!E().FShaping);
  QVERIFY(E().FShapeOverlay.Cells.empty());
  QVERIFY(E().FModified);
  auto after = std::make_unique<TSpriteDocument>();
  CopyDocument(*before, *after);
  for (const TCell& c : cells) after->Store.SetPixel(0, mask, c.X, c.Y, erase ? 0 : 1);
  QVERIFY(SameDocument(E().FDocument, *after));
  QCOMPARE(E().FHistory.Count(), std::size_t(1));
  QCOMPARE(QString::fromStdString(E().FHistory.UndoText()), text);
  E().MiUndo->trigger();
  QVERIFY(SameDocument(E().FDocument, *before));
  E().MiRedo->trigger();
  QVERIFY(SameDocument(E().FDocument, *after));
}

void TDrawingToolsTest::escapeCancelsTheShapeFromAFocusedControl() {
  for (QWidget* control : {static_cast<QWidget*>(E().SpinEditGridY), static_cast<QWidget*>(E().CbAttrMask)}) {
    Choose(E().TbFilledRectangle);
    control->setFocus();
    QTRY_VERIFY(control->hasFocus());
    QTest::mousePress(Box(), Qt::LeftButton, {}, QPoint(At(1), At(1)));
    QTest::mouseMove(Box(), QPoint(At(4), At(6)));
    QCOMPARE(E().FShapeOverlay.Cells.size(), std::size_t(4 * 6));
    E().FRedrawQueue.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!E().FShaping);
    QVERIFY(E().FShapeOverlay.Cells.empty());
    QCOMPARE(E().FRedrawQueue.size(), std::size_t(4 * 6 * 3));  // the cells it covered repaint
    QCOMPARE(E().CanvasView().Overlay, nullptr);
    // The release afterwards writes nothing.
    QTest::mouseMove(Box(), QPoint(At(5), At(7)));
    QTest::mouseRelease(Box(), Qt::LeftButton, {}, QPoint(At(5), At(7)));
    QVERIFY(Set(false).empty());
    QCOMPARE(E().FHistory.Count(), std::size_t(0));
    QVERIFY(!E().FModified);
  }
  // With no shape under way Escape is the control's own key again.
  QVERIFY(!E().TbCancelShape->isEnabled());
}

void TDrawingToolsTest::shapeStaysWhileThePointerIsOutsideAndTheReleaseWritesIt() {
  Choose(E().TbLine);
  E().PaintBoxMouseDown(Qt::LeftButton, {}, At(0), At(0));
  E().PaintBoxMouseMove({}, At(5), At(0));
  E().PaintBoxMouseLeave();
  QVERIFY(E().FShaping);
  QCOMPARE(E().LblPosX->text(), QStringLiteral("X="));
  QCOMPARE(E().FShapeOverlay.Cells.size(), std::size_t(6));
  E().PaintBoxMouseMove({}, At(7), At(0));  // back over the canvas: it follows again
  QCOMPARE(E().FShapeOverlay.Cells.size(), std::size_t(8));
  // The release, outside the paint box (the mouse is held by it), ends the line at the edge.
  E().PaintBoxMouseUp(Qt::LeftButton, {}, At(20), At(0));
  QCOMPARE(Set(false), PointsOf(LineCells({0, 0}, {11, 0})));
}

void TDrawingToolsTest::pressOfAnotherButtonOrUndoCancelsTheShape() {
  Choose(E().TbRectangle);
  E().PaintBoxMouseDown(Qt::LeftButton, {}, At(1), At(1));
  E().PaintBoxMouseMove({}, At(5), At(5));
  E().PaintBoxMouseDown(Qt::RightButton, {}, At(5), At(5));
  QVERIFY(!E().FShaping);
  E().PaintBoxMouseUp(Qt::RightButton, {}, At(5), At(5));
  E().PaintBoxMouseUp(Qt::LeftButton, {}, At(5), At(5));
  QVERIFY(Set(false).empty());
  QCOMPARE(E().FHistory.Count(), std::size_t(0));

  // Undo while a shape is dragged: the shape is dropped, the step before it undone.
  E().PaintBoxMouseDown(Qt::LeftButton, {}, At(1), At(1));
  E().PaintBoxMouseUp(Qt::LeftButton, {}, At(3), At(3));
  QCOMPARE(E().FHistory.Count(), std::size_t(1));
  E().PaintBoxMouseDown(Qt::LeftButton, {}, At(6), At(6));
  E().PaintBoxMouseMove({}, At(9), At(9));
  E().MiUndo->trigger();
  QVERIFY(!E().FShaping);
  E().PaintBoxMouseUp(Qt::LeftButton, {}, At(9), At(9));
  QVERIFY(Set(false).empty());
  QVERIFY(E().MiRedo->isEnabled());
}

void TDrawingToolsTest::shapeThatChangesNothingIsNoStep() {
  FEditor->FStore.SetPixel(0, false, 4, 4, 1);
  for (QAction* tool : {E().TbLine, E().TbFill}) {
    Choose(tool);
    E().PaintBoxMouseDown(Qt::LeftButton, {}, At(4), At(4));
    E().PaintBoxMouseUp(Qt::LeftButton, {}, At(4), At(4));
    QCOMPARE(E().FHistory.Count(), std::size_t(0));
    QVERIFY(!E().FModified);
  }
}

void TDrawingToolsTest::fill_data() {
  QTest::addColumn<int>("button");
  QTest::addColumn<bool>("mask");
  QTest::addColumn<int>("mirror");
  QTest::newRow("left, sprite") << int(Qt::LeftButton) << false << int(mmNone);
  QTest::newRow("right, mask") << int(Qt::RightButton) << true << int(mmNone);
  QTest::newRow("left, mask, mirrored both ways") << int(Qt::LeftButton) << true << int(mmBoth);
  QTest::newRow("right, sprite, mirrored left-right") << int(Qt::RightButton) << false << int(mmLeftRight);
}

// A wall down column 6 and along row 12 cuts the sprite area into four rooms; the fill from
// cell (2, 3) fills its room, the mirrored seeds the rooms they lie in, and nothing outside
// the sprite area changes.
void TDrawingToolsTest::fill() {
  QFETCH(int, button);
  QFETCH(bool, mask);
  QFETCH(int, mirror);
  const bool erase = button == Qt::RightButton;
  TSpriteStore& s = FEditor->FStore;
  TPlane& plane = s.Plane(0, mask);
  for (int x = 0; x < MaxSide; ++x)
    for (int y = 0; y < MaxSide; ++y) plane[x][y] = erase ? x != 6 && y != 12 : x == 6 || y == 12;
  FillPattern(s, 0, !mask);
  auto before = std::make_unique<TSpriteDocument>();
  CopyDocument(E().FDocument, *before);
  Choose(E().TbFill);
  if (mirror == mmLeftRight || mirror == mmBoth) E().TbMirrorHorizontal->trigger();
  if (mirror == mmTopBottom || mirror == mmBoth) E().TbMirrorVertical->trigger();
  const int left = mask ? MaskLeft : 0;
  QTest::mousePress(Box(), Qt::MouseButton(button), {}, QPoint(left + At(2), At(3)));
  QTest::mouseRelease(Box(), Qt::MouseButton(button), {}, QPoint(left + At(2), At(3)));

  auto after = std::make_unique<TSpriteDocument>();
  CopyDocument(*before, *after);
  // Seeds (2, 3), mirrored (9, 3), (2, 20), (9, 20): rooms left/right of column 6, above or
  // below row 12. Column 6 is not its own image in a width of 12.
  auto room = [&](bool right, bool bottom) {
    for (int x = right ? 7 : 0; x < (right ? 12 : 6); ++x)
      for (int y = bottom ? 13 : 0; y < (bottom ? 24 : 12); ++y) after->Store.SetPixel(0, mask, x, y, erase ? 0 : 1);
  };
  room(false, false);
  if (mirror == mmLeftRight || mirror == mmBoth) room(true, false);
  if (mirror == mmBoth) {
    room(false, true);
    room(true, true);
  }
  QVERIFY(SameDocument(E().FDocument, *after));
  QCOMPARE(E().FHistory.Count(), std::size_t(1));
  QCOMPARE(QString::fromStdString(E().FHistory.UndoText()), QStringLiteral("Fill"));
  QVERIFY(std::find(E().FRedrawQueue.begin(), E().FRedrawQueue.end(), rtFull) != E().FRedrawQueue.end());
  E().MiUndo->trigger();
  QVERIFY(SameDocument(E().FDocument, *before));
  E().MiRedo->trigger();
  QVERIFY(SameDocument(E().FDocument, *after));
}

// Cell (2, 3) is set and its left-right image (9, 3) is clear: the click on the set cell sets
// nothing, and the clear region around the image stays clear too.
void TDrawingToolsTest::mirroredFillLeavesAMirrorImageOfAnotherKind() {
  FEditor->FStore.SetPixel(0, false, 2, 3, 1);
  Choose(E().TbFill);
  E().TbMirrorHorizontal->trigger();
  E().PaintBoxMouseDown(Qt::LeftButton, {}, At(2), At(3));
  E().PaintBoxMouseUp(Qt::LeftButton, {}, At(2), At(3));
  QCOMPARE(Set(false), (TPoints{{2, 3}}));
  QCOMPARE(E().FHistory.Count(), std::size_t(0));
  // On a clear cell both images fill, each its own region.
  E().PaintBoxMouseDown(Qt::LeftButton, {}, At(0), At(0));
  E().PaintBoxMouseUp(Qt::LeftButton, {}, At(0), At(0));
  QCOMPARE(int(Set(false).size()), 12 * 24);
}

// A frame command while the button is held: the stroke's later cells and the dragged shape
// do not land in the frame the command shows.
void TDrawingToolsTest::frameCommandEndsTheStrokeAndDropsTheShape() {
  E().PaintBoxMouseDown(Qt::LeftButton, {}, At(1), At(1));
  E().MiInsertFrame->trigger();
  QCOMPARE(E().FCurrentFrame, 1);
  E().PaintBoxMouseMove({}, At(8), At(8));
  E().PaintBoxMouseUp(Qt::LeftButton, {}, At(8), At(8));
  QCOMPARE(Set(false), (TPoints{{1, 1}}));  // the press drew in frame 1 ...
  QCOMPARE(SetPixels(E().FStore.Plane(1, false)), (TPoints{}));  // ... the inserted frame stays clear
  QCOMPARE(QString::fromStdString(E().FHistory.UndoText()), QStringLiteral("Insert frame"));

  Choose(E().TbRectangle);
  E().PaintBoxMouseDown(Qt::LeftButton, {}, At(1), At(1));
  E().PaintBoxMouseMove({}, At(5), At(5));
  E().MiDuplicateFrame->trigger();
  QVERIFY(!E().FShaping);
  E().PaintBoxMouseUp(Qt::LeftButton, {}, At(5), At(5));
  QCOMPARE(E().FCurrentFrame, 2);
  QCOMPARE(SetPixels(E().FStore.Plane(1, false)), (TPoints{}));
  QCOMPARE(SetPixels(E().FStore.Plane(2, false)), (TPoints{}));
  QCOMPARE(QString::fromStdString(E().FHistory.UndoText()), QStringLiteral("Duplicate frame"));
}

void TDrawingToolsTest::mirroredDrawing_data() {
  QTest::addColumn<int>("tool");
  QTest::addColumn<int>("mirror");
  for (int tool : {dtPencil, dtLine, dtRectangle, dtFilledRectangle})
    for (int mirror : {mmLeftRight, mmTopBottom, mmBoth})
      QTest::addRow("tool %d, mirror %d", tool, mirror) << tool << mirror;
}

// A stroke from (1, 2) over (4, 9) to (3, 15), or a shape from (1, 2) to (3, 15): the cells
// and their mirror images about the centre of the 12 x 24 area, as one undo step.
void TDrawingToolsTest::mirroredDrawing() {
  QFETCH(int, tool);
  QFETCH(int, mirror);
  for (QAction* a : E().ToolGroup->actions())
    if (TagOf(a) == tool) Choose(a);
  if (mirror != mmTopBottom) E().TbMirrorHorizontal->trigger();
  if (mirror != mmLeftRight) E().TbMirrorVertical->trigger();
  QCOMPARE(int(E().FMirror), mirror);
  QTest::mousePress(Box(), Qt::LeftButton, {}, QPoint(At(1), At(2)));
  QTest::mouseMove(Box(), QPoint(At(4), At(9)));
  QTest::mouseMove(Box(), QPoint(At(3), At(15)));
  QTest::mouseRelease(Box(), Qt::LeftButton, {}, QPoint(At(3), At(15)));
  std::vector<TCell> drawn;
  if (tool == dtPencil) {
    drawn = LineCells({1, 2}, {4, 9});
    for (const TCell& c : LineCells({4, 9}, {3, 15})) drawn.push_back(c);
  } else if (tool == dtLine) {
    drawn = LineCells({1, 2}, {3, 15});
  } else {
    drawn = RectangleCells({1, 2}, {3, 15}, tool == dtFilledRectangle ? rkFilled : rkOutline);
  }
  TPoints expected;
  for (const TCell& c : drawn) {
    expected.insert({c.X, c.Y});
    if (mirror != mmTopBottom) expected.insert({11 - c.X, c.Y});
    if (mirror != mmLeftRight) expected.insert({c.X, 23 - c.Y});
    if (mirror == mmBoth) expected.insert({11 - c.X, 23 - c.Y});
  }
  QCOMPARE(Set(false), expected);
  QCOMPARE(E().FHistory.Count(), std::size_t(1));
  E().MiUndo->trigger();
  QVERIFY(Set(false).empty());
}

// The window with the tool bar: a line being dragged, a filled rectangle, a mirrored stroke.
// Saved to DEDUZU_SHOT_DIR when it is set.
void TDrawingToolsTest::screenshots() {
  TSpriteEditor& e = E();
  e.CheckBoxGrid->setChecked(true);
  const QString dir = qEnvironmentVariable("DEDUZU_SHOT_DIR");
  auto shot = [&](const char* name) {
    e.ProcessRedrawQueue();
    QApplication::processEvents();
    const QImage image = e.grab().toImage();
    QVERIFY(!image.isNull());
    if (!dir.isEmpty()) QVERIFY(image.save(dir + "/draw-" + name + ".png"));
  };
  e.TbFilledRectangle->trigger();
  QTest::mousePress(Box(), Qt::LeftButton, {}, QPoint(At(2), At(14)));
  QTest::mouseRelease(Box(), Qt::LeftButton, {}, QPoint(At(9), At(20)));
  e.PaintBoxMouseDown(Qt::LeftButton, {}, MaskAt(0), At(0));
  e.PaintBoxMouseUp(Qt::LeftButton, {}, MaskAt(11), At(23));
  shot("filled-rectangle");
  const QImage bar = e.ToolBarTools->grab().toImage();
  if (!dir.isEmpty()) QVERIFY(bar.scaled(bar.size() * 4).save(dir + "/draw-toolbar-x4.png"));
  e.TbMirrorHorizontal->trigger();
  e.TbPencil->trigger();
  QTest::mousePress(Box(), Qt::LeftButton, {}, QPoint(At(0), At(1)));
  QTest::mouseMove(Box(), QPoint(At(5), At(6)));
  QTest::mouseMove(Box(), QPoint(At(1), At(11)));
  QTest::mouseRelease(Box(), Qt::LeftButton, {}, QPoint(At(1), At(11)));
  shot("mirrored-stroke");
  e.TbMirrorHorizontal->trigger();
  e.TbLine->trigger();
  // Clearing across the mask pane, which the filled rectangle above set entirely.
  QTest::mousePress(Box(), Qt::RightButton, {}, QPoint(MaskAt(1), At(2)));
  QTest::mouseMove(Box(), QPoint(MaskAt(10), At(21)));
  QVERIFY(e.FShaping);
  shot("line-preview");
  QTest::mouseRelease(Box(), Qt::RightButton, {}, QPoint(MaskAt(10), At(21)));
}

QTEST_MAIN(TDrawingToolsTest)
#include "drawing_tools_test.moc"
