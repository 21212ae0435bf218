// The View menu's zoom levels, the mouse wheel and the scroll bars of the canvas area.

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "canvas/canvas.h"
#include "widgets/spin_edit.h"
#include "window/sprite_editor.h"

class TViewScrollTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void viewMenuItems();
  void zoomChangesOnlyTheCanvas();
  void zoomShortcuts();
  void viewClickFromAnythingButAViewItemDoesNothing();
  void wheel_data();
  void wheel();
  void wheelOverTheSettingsScrollsTheCanvas();
  void scrollBarsAndResizingRepaint();
  void largestCanvasScrollsToItsFarCorner();
  void ctrlWheelSteps_data();
  void ctrlWheelSteps();
  void ctrlWheelAddsUpSmallDeltas();
  void ctrlWheelKeepsTheCellUnderThePointer_data();
  void ctrlWheelKeepsTheCellUnderThePointer();
  void ctrlWheelOutsideTheCanvasScrollsAsBefore();

 private:
  std::unique_ptr<TSpriteEditor> FEditor;
  int FullRequests() const {
    return int(std::count(FEditor->FRedrawQueue.begin(), FEditor->FRedrawQueue.end(), std::int32_t(rtFull)));
  }
  bool SendWheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers, QPointF at = QPointF(5, 5)) {
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    // As from the mouse: an event nobody takes goes on to the parents.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(target, &wheel);
    return wheel.isAccepted();
  }
  // A masked 240 x 240 sprite at 200 %: a canvas far larger than the window.
  void MakeLargeCanvas() {
    FEditor->SpinEditWidth->setValue(240);
    FEditor->SpinEditHeight->setValue(240);
    FEditor->MiView200->trigger();
    QCoreApplication::processEvents();
  }
};

void TViewScrollTest::init() {
  FEditor = std::make_unique<TSpriteEditor>();
  FEditor->show();
  QVERIFY(QTest::qWaitForWindowExposed(FEditor.get()));
}

void TViewScrollTest::cleanup() { FEditor.reset(); }

void TViewScrollTest::viewMenuItems() {
  TSpriteEditor& e = *FEditor;
  QCOMPARE(e.MenuView->title(), QStringLiteral("&View"));
  QVERIFY(e.menuBar()->actions().contains(e.MenuView->menuAction()));
  const QList<QAction*> items = e.MenuView->actions();
  QCOMPARE(items, (QList<QAction*>{e.MiView025, e.MiView050, e.MiView100, e.MiView200, e.MiView400, e.MiView800, e.N11,
                                   e.MiPreview, e.MiOnionSkin}));
  const char* captions[] = {"25%", "50%", "100%", "200%", "400%", "800%"};
  const int tags[] = {3, 6, 12, 24, 48, 96};
  const char* names[] = {"MiView025", "MiView050", "MiView100", "MiView200", "MiView400", "MiView800"};
  for (int i = 0; i < 6; ++i) {
    QCOMPARE(items[i]->text(), QString::fromLatin1(captions[i]));
    QCOMPARE(TagOf(items[i]), tags[i]);
    QCOMPARE(items[i]->objectName(), QString::fromLatin1(names[i]));
    QCOMPARE(items[i]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)));
    QVERIFY(items[i]->isCheckable());
    QCOMPARE(items[i]->actionGroup(), e.ViewGroup);
  }
  QVERIFY(e.ViewGroup->isExclusive());
  QVERIFY(e.N11->isSeparator());
  QCOMPARE(e.MiPreview->text(), QStringLiteral("Preview"));
  QCOMPARE(e.MiPreview->objectName(), QStringLiteral("MiPreview"));
  QCOMPARE(e.MiOnionSkin->text(), QStringLiteral("Onion skin"));
  QCOMPARE(e.MiOnionSkin->objectName(), QStringLiteral("MiOnionSkin"));
  for (QAction* item : {e.MiPreview, e.MiOnionSkin}) {
    QVERIFY(item->isCheckable());
    QVERIFY(!item->isChecked());
    QCOMPARE(item->actionGroup(), nullptr);
  }
}

void TViewScrollTest::zoomChangesOnlyTheCanvas() {
  TSpriteEditor& e = *FEditor;
  e.FStore.SetPixel(0, false, 3, 3, 1);
  e.FRedrawQueue.clear();
  e.MiView025->trigger();
  QCOMPARE(e.FZoom, 3);
  QCOMPARE(e.PaintBox->size(), QSize(2 * 13 * 3, 24 * 3 + 8));
  QVERIFY(e.MiView025->isChecked());
  QVERIFY(!e.MiView100->isChecked());
  QCOMPARE(FullRequests(), 1);
  QVERIFY(!e.FModified);
  QCOMPARE(e.windowTitle(), QStringLiteral("Deduzu Sprite Editor"));
  QCOMPARE(e.FStore.Pixel(0, false, 3, 3), 1);
  e.MiView200->trigger();
  QCOMPARE(e.PaintBox->size(), QSize(2 * 13 * 24, 24 * 24 + 8));
  QVERIFY(!e.MiView025->isChecked());
}

void TViewScrollTest::zoomShortcuts() {
  TSpriteEditor& e = *FEditor;
  e.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&e));
  QTest::keyClick(&e, Qt::Key_1, Qt::ControlModifier);
  QCOMPARE(e.FZoom, 3);
  QVERIFY(e.MiView025->isChecked());
  QTest::keyClick(&e, Qt::Key_4, Qt::ControlModifier);
  QCOMPARE(e.FZoom, 24);
  QTest::keyClick(&e, Qt::Key_6, Qt::ControlModifier);
  QCOMPARE(e.FZoom, 96);
  QVERIFY(e.MiView800->isChecked());
  QCOMPARE(e.PaintBox->size(), QSize(2 * 13 * 96, 24 * 96 + 8));
  QTest::keyClick(&e, Qt::Key_5, Qt::ControlModifier);
  QCOMPARE(e.FZoom, 48);
  QVERIFY(e.MiView400->isChecked());
  QVERIFY(!e.MiView800->isChecked());
  QTest::keyClick(&e, Qt::Key_3, Qt::ControlModifier);
  QCOMPARE(e.FZoom, 12);
}

void TViewScrollTest::viewClickFromAnythingButAViewItemDoesNothing() {
  TSpriteEditor& e = *FEditor;
  QPushButton button;
  button.setProperty("Tag", 24);
  QAction noZoom;
  e.FRedrawQueue.clear();
  e.MiViewClick(nullptr);
  e.MiViewClick(&button);
  e.MiViewClick(&noZoom);
  QCOMPARE(e.FZoom, 12);
  QCOMPARE(e.PaintBox->size(), QSize(312, 296));
  QVERIFY(e.FRedrawQueue.empty());
}

void TViewScrollTest::wheel_data() {
  QTest::addColumn<int>("delta");
  QTest::addColumn<bool>("shift");
  QTest::addColumn<int>("vertical");
  QTest::addColumn<int>("horizontal");
  QTest::addColumn<bool>("handled");
  QTest::newRow("away from the user at the top") << 120 << false << 0 << 0 << true;
  QTest::newRow("towards the user") << -120 << false << 120 << 0 << true;
  QTest::newRow("two notches towards the user") << -240 << false << 240 << 0 << true;
  QTest::newRow("towards the user with Shift") << -120 << true << 0 << 120 << true;
  QTest::newRow("no movement") << 0 << false << 0 << 0 << false;
}

void TViewScrollTest::wheel() {
  QFETCH(int, delta);
  QFETCH(bool, shift);
  QFETCH(int, vertical);
  QFETCH(int, horizontal);
  QFETCH(bool, handled);
  MakeLargeCanvas();
  FEditor->FRedrawQueue.clear();
  QCOMPARE(SendWheel(FEditor->PaintBox, delta, shift ? Qt::ShiftModifier : Qt::NoModifier), handled);
  QCOMPARE(FEditor->ScrollBox->verticalScrollBar()->value(), vertical);
  QCOMPARE(FEditor->ScrollBox->horizontalScrollBar()->value(), horizontal);
  QCOMPARE(FullRequests() > 0, handled);
}

void TViewScrollTest::wheelOverTheSettingsScrollsTheCanvas() {
  MakeLargeCanvas();
  QVERIFY(SendWheel(FEditor->SpinEditHeight, -120, Qt::NoModifier));
  QCOMPARE(FEditor->SpinEditHeight->value(), 240);
  QCOMPARE(FEditor->ScrollBox->verticalScrollBar()->value(), 120);
  // Scrolled to the far end, a further notch stays there.
  QScrollBar* bar = FEditor->ScrollBox->verticalScrollBar();
  bar->setValue(bar->maximum());
  SendWheel(FEditor->PaintBox, -120, Qt::NoModifier);
  QCOMPARE(bar->value(), bar->maximum());
  QCOMPARE(bar->maximum(), 5768 + 8 - FEditor->ScrollBox->viewport()->height());
}

void TViewScrollTest::scrollBarsAndResizingRepaint() {
  MakeLargeCanvas();
  FEditor->FRedrawQueue.clear();
  FEditor->ScrollBox->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  QCOMPARE(FullRequests(), 1);
  FEditor->FRedrawQueue.clear();
  FEditor->resize(800, 600);
  QTRY_COMPARE(FullRequests(), 1);
}

// 240 x 240 masked at 800%: 46,272 x 23,048 pixels; the scroll bars reach its far corner and
// the cells there paint.
void TViewScrollTest::largestCanvasScrollsToItsFarCorner() {
  TSpriteEditor& e = *FEditor;
  e.SpinEditWidth->setValue(240);
  e.SpinEditHeight->setValue(240);
  e.FStore.SetPixel(0, true, 239, 239, 1);
  e.MiView800->trigger();
  QCoreApplication::processEvents();
  QCOMPARE(e.PaintBox->size(), QSize(2 * 241 * 96, 240 * 96 + 8));
  QScrollBar* h = e.ScrollBox->horizontalScrollBar();
  QScrollBar* v = e.ScrollBox->verticalScrollBar();
  // The paint box sits 8 pixels in; the canvas carries its own margin below.
  QCOMPARE(h->maximum(), 8 + 2 * 241 * 96 - e.ScrollBox->viewport()->width());
  QCOMPARE(v->maximum(), 8 + 240 * 96 + 8 - e.ScrollBox->viewport()->height());
  h->setValue(h->maximum());
  v->setValue(v->maximum());
  e.ProcessRedrawQueue();
  const QImage shown = e.ScrollBox->viewport()->grab().toImage();
  // The filled part of mask cell (239, 239) ends before its gap and the empty cell column on
  // the right, and before its gap and the canvas's margin below.
  const QPoint inside(shown.width() - 1 - 96 - 10, shown.height() - 1 - 8 - 10);
  QCOMPARE(shown.pixel(inside), 0xFFFFFFFFu);
  QCOMPARE(shown.pixel(inside - QPoint(96, 0)), 0xFF444444u);
}

void TViewScrollTest::ctrlWheelSteps_data() {
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("delta");
  QTest::addColumn<int>("zoom");
  QTest::newRow("100% one notch in") << 12 << 120 << 24;
  QTest::newRow("100% one notch out") << 12 << -120 << 6;
  QTest::newRow("100% three notches in") << 12 << 360 << 96;
  QTest::newRow("400% a notch in") << 48 << 120 << 96;
  QTest::newRow("800% stays at the top") << 96 << 120 << 96;
  QTest::newRow("25% stays at the bottom") << 3 << -120 << 3;
  QTest::newRow("50% five notches out") << 6 << -600 << 3;
}

void TViewScrollTest::ctrlWheelSteps() {
  QFETCH(int, start);
  QFETCH(int, delta);
  QFETCH(int, zoom);
  TSpriteEditor& e = *FEditor;
  for (QAction* item : e.ViewGroup->actions())
    if (TagOf(item) == start) item->trigger();
  QCOMPARE(e.FZoom, start);
  QVERIFY(SendWheel(e.PaintBox, delta, Qt::ControlModifier));
  QCOMPARE(e.FZoom, zoom);
  QAction* checked = e.ViewGroup->checkedAction();
  QVERIFY(checked != nullptr);
  QCOMPARE(TagOf(checked), zoom);
  QCOMPARE(e.PaintBox->size(), CanvasSize(e.CanvasView()));
}

// A touchpad's small deltas: one level when they add up to a notch; turning the other way
// starts afresh; at the end of the range nothing is saved up.
void TViewScrollTest::ctrlWheelAddsUpSmallDeltas() {
  TSpriteEditor& e = *FEditor;
  SendWheel(e.PaintBox, 40, Qt::ControlModifier);
  SendWheel(e.PaintBox, 40, Qt::ControlModifier);
  QCOMPARE(e.FZoom, 12);
  SendWheel(e.PaintBox, 40, Qt::ControlModifier);
  QCOMPARE(e.FZoom, 24);
  SendWheel(e.PaintBox, 100, Qt::ControlModifier);
  SendWheel(e.PaintBox, -100, Qt::ControlModifier);
  QCOMPARE(e.FZoom, 24);
  SendWheel(e.PaintBox, -20, Qt::ControlModifier);
  QCOMPARE(e.FZoom, 12);
  e.MiView800->trigger();
  for (int i = 0; i < 5; ++i) SendWheel(e.PaintBox, 120, Qt::ControlModifier);
  SendWheel(e.PaintBox, -120, Qt::ControlModifier);
  QCOMPARE(e.FZoom, 48);
  QVERIFY(e.MiView400->isChecked());
}

void TViewScrollTest::ctrlWheelKeepsTheCellUnderThePointer_data() {
  QTest::addColumn<int>("delta");
  QTest::addColumn<QPoint>("pointer");
  QTest::newRow("in, middle of the view") << 120 << QPoint(150, 120);
  QTest::newRow("in twice, near the top-left") << 240 << QPoint(30, 20);
  QTest::newRow("out, middle of the view") << -120 << QPoint(150, 120);
}

// A masked 240 x 240 sprite at 200%, scrolled into the middle: the pixel under the pointer
// is of the same cell before and after, at the same spot within it.
void TViewScrollTest::ctrlWheelKeepsTheCellUnderThePointer() {
  QFETCH(int, delta);
  QFETCH(QPoint, pointer);
  MakeLargeCanvas();
  TSpriteEditor& e = *FEditor;
  QScrollBar* h = e.ScrollBox->horizontalScrollBar();
  QScrollBar* v = e.ScrollBox->verticalScrollBar();
  h->setValue(2000);
  v->setValue(1500);
  QWidget* viewport = e.ScrollBox->viewport();
  auto canvasPoint = [&] { return e.PaintBox->mapFrom(viewport, pointer); };
  const QPoint before = canvasPoint();
  const double cellX = double(before.x()) / e.FZoom;
  const double cellY = double(before.y()) / e.FZoom;
  const int zoomBefore = e.FZoom;
  // Sent to the paint box under the pointer, as the mouse would.
  QVERIFY(SendWheel(e.PaintBox, delta, Qt::ControlModifier, QPointF(before)));
  QVERIFY(e.FZoom != zoomBefore);
  const QPoint after = canvasPoint();
  QCOMPARE(int(std::floor(double(after.x()) / e.FZoom)), int(std::floor(cellX)));
  QCOMPARE(int(std::floor(double(after.y()) / e.FZoom)), int(std::floor(cellY)));
  QVERIFY(std::abs(after.x() / double(e.FZoom) - cellX) <= 1.0 / e.FZoom + 1e-9);
  QVERIFY(std::abs(after.y() / double(e.FZoom) - cellY) <= 1.0 / e.FZoom + 1e-9);
}

// Without Ctrl the wheel scrolls as before; with Ctrl over the scroll bars or the settings
// it scrolls too, and only the canvas itself zooms.
void TViewScrollTest::ctrlWheelOutsideTheCanvasScrollsAsBefore() {
  MakeLargeCanvas();
  TSpriteEditor& e = *FEditor;
  QVERIFY(SendWheel(e.ScrollBox->verticalScrollBar(), -120, Qt::ControlModifier));
  QCOMPARE(e.FZoom, 24);
  QCOMPARE(e.ScrollBox->verticalScrollBar()->value(), 120);
  QVERIFY(SendWheel(e.SpinEditHeight, -120, Qt::ControlModifier));
  QCOMPARE(e.FZoom, 24);
  QCOMPARE(e.ScrollBox->verticalScrollBar()->value(), 240);
}

QTEST_MAIN(TViewScrollTest)
#include "view_scroll_test.moc"
