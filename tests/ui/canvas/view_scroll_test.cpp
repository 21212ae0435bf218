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

 private:
  std::unique_ptr<TSpriteEditor> FEditor;
  int FullRequests() const {
    return int(std::count(FEditor->FRedrawQueue.begin(), FEditor->FRedrawQueue.end(), std::int32_t(rtFull)));
  }
  bool SendWheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
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
  QCOMPARE(items, (QList<QAction*>{e.MiView025, e.MiView050, e.MiView100, e.MiView200}));
  const char* captions[] = {"25%", "50%", "100%", "200%"};
  const int tags[] = {3, 6, 12, 24};
  const char* names[] = {"MiView025", "MiView050", "MiView100", "MiView200"};
  for (int i = 0; i < 4; ++i) {
    QCOMPARE(items[i]->text(), QString::fromLatin1(captions[i]));
    QCOMPARE(TagOf(items[i]), tags[i]);
    QCOMPARE(items[i]->objectName(), QString::fromLatin1(names[i]));
    QCOMPARE(items[i]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)));
    QVERIFY(items[i]->isCheckable());
    QCOMPARE(items[i]->actionGroup(), e.ViewGroup);
  }
  QVERIFY(e.ViewGroup->isExclusive());
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

QTEST_MAIN(TViewScrollTest)
#include "view_scroll_test.moc"
