// The order in which the preview plays the frames: loop and back and forth.

#include <QtTest>
#include <vector>

#include "preview/preview_player.h"

class TPreviewPlayerTest : public QObject {
  Q_OBJECT

 private slots:
  void sequence_data();
  void sequence();
  void frameCountShrinksWhilePlaying_data();
  void frameCountShrinksWhilePlaying();

 private:
  static std::vector<int> Played(TPlayPosition p, TPlayMode mode, int frameCount, int ticks) {
    std::vector<int> frames{p.Frame};
    for (int i = 0; i < ticks; ++i) {
      p = NextPlayPosition(p, mode, frameCount);
      frames.push_back(p.Frame);
    }
    return frames;
  }
};

using TFrames = std::vector<int>;
Q_DECLARE_METATYPE(TFrames)

void TPreviewPlayerTest::sequence_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<int>("frameCount");
  QTest::addColumn<int>("start");
  QTest::addColumn<TFrames>("frames");
  QTest::newRow("loop of 3") << int(pmLoop) << 3 << 0 << TFrames{0, 1, 2, 0, 1, 2, 0};
  QTest::newRow("loop from the middle") << int(pmLoop) << 4 << 2 << TFrames{2, 3, 0, 1, 2, 3, 0};
  QTest::newRow("loop of 1") << int(pmLoop) << 1 << 0 << TFrames{0, 0, 0};
  QTest::newRow("back and forth of 4") << int(pmBackAndForth) << 4 << 0 << TFrames{0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2};
  QTest::newRow("back and forth of 2") << int(pmBackAndForth) << 2 << 0 << TFrames{0, 1, 0, 1, 0};
  QTest::newRow("back and forth of 1") << int(pmBackAndForth) << 1 << 0 << TFrames{0, 0, 0};
  QTest::newRow("back and forth from the last") << int(pmBackAndForth) << 3 << 2 << TFrames{2, 1, 0, 1, 2, 1};
  QTest::newRow("back and forth of 128") << int(pmBackAndForth) << 128 << 126 << TFrames{126, 127, 126, 125};
}

void TPreviewPlayerTest::sequence() {
  QFETCH(int, mode);
  QFETCH(int, frameCount);
  QFETCH(int, start);
  QFETCH(TFrames, frames);
  QCOMPARE(Played({start, 1}, TPlayMode(mode), frameCount, int(frames.size()) - 1), frames);
}

void TPreviewPlayerTest::frameCountShrinksWhilePlaying_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<int>("direction");
  QTest::addColumn<int>("next");
  // At frame 6 of what are now 3 frames: on from the last frame in use.
  QTest::newRow("loop") << int(pmLoop) << 1 << 0;
  QTest::newRow("back and forth, forwards") << int(pmBackAndForth) << 1 << 1;
  QTest::newRow("back and forth, backwards") << int(pmBackAndForth) << -1 << 1;
}

void TPreviewPlayerTest::frameCountShrinksWhilePlaying() {
  QFETCH(int, mode);
  QFETCH(int, direction);
  QFETCH(int, next);
  const TPlayPosition p = NextPlayPosition({6, direction}, TPlayMode(mode), 3);
  QCOMPARE(p.Frame, next);
  QVERIFY(p.Frame >= 0 && p.Frame < 3);
}

QTEST_MAIN(TPreviewPlayerTest)
#include "preview_player_test.moc"
