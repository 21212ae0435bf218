#include <gtest/gtest.h>

#include "editing/frame_exchange.h"

namespace {

TEST(ExchangeFramesTest, SwapsBothWholePlanesAndTwiceRestores) {
  TSpriteStore s;
  s.SetPixel(0, false, 239, 239, 1);  // hidden pixels move too
  s.SetPixel(1, true, 0, 0, 1);
  ExchangeFrames(s, 0, 1);
  EXPECT_EQ(s.Pixel(1, false, 239, 239), 1);
  EXPECT_EQ(s.Pixel(0, false, 239, 239), 0);
  EXPECT_EQ(s.Pixel(0, true, 0, 0), 1);
  EXPECT_EQ(s.Pixel(1, true, 0, 0), 0);
  ExchangeFrames(s, 1, 0);
  EXPECT_EQ(s.Pixel(0, false, 239, 239), 1);
  EXPECT_EQ(s.Pixel(1, true, 0, 0), 1);
}

TEST(ExchangeFramesTest, FramesOutsideTheStoreDoNothing) {
  TSpriteStore s;
  s.SetPixel(127, false, 3, 3, 1);
  for (int bad : {-1, 128, 1000}) {
    ExchangeFrames(s, 127, bad);
    ExchangeFrames(s, bad, 127);
  }
  EXPECT_EQ(s.Pixel(127, false, 3, 3), 1);
}

}  // namespace
