#include <gtest/gtest.h>

#include "document/editor_state.h"
#include "document/sprite_store.h"

namespace {

TEST(SpriteStoreTest, StartsClearAndKeepsFramesApart) {
  TSpriteStore s;
  for (int f : {0, 1, 127})
    for (bool m : {false, true}) EXPECT_EQ(s.Pixel(f, m, 239, 239), 0);
  s.SetPixel(5, false, 239, 239, 1);
  EXPECT_EQ(s.Pixel(6, false, 0, 0), 0);
  EXPECT_EQ(s.Pixel(5, true, 239, 239), 0);
  EXPECT_EQ(s.Pixel(4, false, 239, 239), 0);
  s.SetPixel(127, true, 239, 239, 1);
  EXPECT_EQ(s.FCopyBuffer[0][0], 0) << "the last mask pixel does not spill into the copy buffer";
}

TEST(SpriteStoreTest, PlaneIsColumnMajor) {
  TSpriteStore s;
  s.SetPixel(0, false, 1, 2, 1);
  EXPECT_EQ(s.Plane(0, false).data()->data()[1 * 240 + 2], 1);
}

TEST(SpriteStoreTest, ClearAllKeepsCopyBuffer) {
  TSpriteStore s;
  s.SetPixel(3, false, 10, 10, 1);
  s.SetPixel(127, true, 239, 0, 1);
  s.FCopyBuffer[7][8] = 1;
  s.ClearAll();
  EXPECT_EQ(s.Pixel(3, false, 10, 10), 0);
  EXPECT_EQ(s.Pixel(127, true, 239, 0), 0);
  EXPECT_EQ(s.FCopyBuffer[7][8], 1);
}

TEST(StartupFileNameTest, TakesFirstArgumentWithProjectExtension) {
  struct TCase {
    std::vector<std::string> Args;
    std::string Expected;
  };
  const TCase cases[] = {
      {{"editor"}, ""},
      {{"editor", "C:\\work\\ship.SPRITE"}, "C:\\work\\ship.SPRITE"},
      {{"editor", "/home/u/ship.sprite"}, "/home/u/ship.sprite"},
      {{"editor", "ship.sprite.bak"}, ""},
      {{"editor", "ship.spr"}, ""},
      {{"editor", "ship"}, ""},
      {{"editor", "C:\\my.sprite\\ship"}, ""},
      {{"editor", "/data/my.sprite/ship"}, ""},
      {{"editor", ".sprite"}, ".sprite"},
      {{"editor", "ship.bin", "other.sprite"}, ""},  // only the first argument counts
      {{"editor", "a.sprite", "b.sprite"}, "a.sprite"},
  };
  for (const TCase& c : cases) EXPECT_EQ(StartupFileName(c.Args), c.Expected) << c.Args.back();
}

TEST(BuildCaptionTest, FourTitleForms) {
  EXPECT_EQ(BuildCaption(BaseCaption, false, ""), "Deduzu Sprite Editor");
  EXPECT_EQ(BuildCaption(BaseCaption, true, ""), "Deduzu Sprite Editor - [* NoNameFile]");
  EXPECT_EQ(BuildCaption(BaseCaption, false, "/data/ship.sprite"), "Deduzu Sprite Editor - [/data/ship.sprite]");
  EXPECT_EQ(BuildCaption(BaseCaption, true, "/data/ship.sprite"), "Deduzu Sprite Editor - [* /data/ship.sprite]");
}

TEST(ProgramVersionTest, HasFourNumbers) {
  const std::string v = ProgramVersion();
  EXPECT_EQ(std::count(v.begin(), v.end(), '.'), 3) << v;
}

}  // namespace
