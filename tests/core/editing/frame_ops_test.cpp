// Insert, duplicate and delete on a store whose 128 frames all hold different pictures
// (hidden pixels included), against a list model of the frames.

#include <gtest/gtest.h>

#include <memory>

#include "editing/frame_ops.h"
#include "support/document_compare.h"
#include "support/frame_model.h"
#include "support/random_fill.h"

namespace {

enum TOp { opInsert, opDuplicate, opDelete };

struct TOpCase {
  TOp Op;
  int Count;
  int At;  // the insert place, the source of the duplicate, the deleted frame
};

class FrameOpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FillRandom(First->Store, 41u);
    CopyDocument(*First, *Doc);
    CopyDocument(*First, *Expected);
  }
  std::unique_ptr<TSpriteDocument> First = std::make_unique<TSpriteDocument>();
  std::unique_ptr<TSpriteDocument> Doc = std::make_unique<TSpriteDocument>();
  std::unique_ptr<TSpriteDocument> Expected = std::make_unique<TSpriteDocument>();
};

TEST_F(FrameOpsTest, FramesAfterThePlaceMoveByOneAndHiddenFramesStay) {
  const TOpCase cases[] = {
      {opInsert, 1, 0},     {opInsert, 1, 1},      {opInsert, 4, 0},     {opInsert, 4, 2},
      {opInsert, 4, 4},     {opInsert, 127, 0},    {opInsert, 127, 127}, {opInsert, 127, 64},
      {opDuplicate, 1, 0},  {opDuplicate, 4, 0},   {opDuplicate, 4, 3},  {opDuplicate, 127, 126},
      {opDuplicate, 127, 0}, {opDelete, 2, 0},     {opDelete, 2, 1},     {opDelete, 4, 0},
      {opDelete, 4, 1},     {opDelete, 4, 3},      {opDelete, 128, 0},   {opDelete, 128, 127},
      {opDelete, 128, 50},
  };
  for (const TOpCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "op " << c.Op << " count " << c.Count << " at " << c.At);
    CopyDocument(*First, *Doc);
    TFrameList model = IdentityFrames();
    bool done = false;
    switch (c.Op) {
      case opInsert:
        done = InsertFrame(Doc->Store, c.Count, c.At);
        model = ModelInsert(model, c.Count, c.At, ClearPicture);
        break;
      case opDuplicate:
        done = DuplicateFrame(Doc->Store, c.Count, c.At);
        model = ModelInsert(model, c.Count, c.At + 1, c.At);
        break;
      case opDelete:
        done = DeleteFrame(Doc->Store, c.Count, c.At);
        model = ModelDelete(model, c.Count, c.At);
        break;
    }
    EXPECT_TRUE(done);
    Pictures(*First, model, *Expected);
    EXPECT_TRUE(SameDocument(*Doc, *Expected));
  }
}

// Outside their ranges the operations refuse and leave every frame as it was.
TEST_F(FrameOpsTest, RefusedOutsideTheRangesWithNothingChanged) {
  const TOpCase cases[] = {
      {opInsert, 128, 0},   {opInsert, 128, 128},  {opInsert, 0, 0},     {opInsert, 4, 5},
      {opInsert, 4, -1},    {opDuplicate, 128, 0}, {opDuplicate, 4, 4},  {opDuplicate, 4, -1},
      {opDelete, 1, 0},     {opDelete, 0, 0},      {opDelete, 129, 0},   {opDelete, 4, 4},
      {opDelete, 4, -1},
  };
  for (const TOpCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "op " << c.Op << " count " << c.Count << " at " << c.At);
    bool done = true;
    switch (c.Op) {
      case opInsert: done = InsertFrame(Doc->Store, c.Count, c.At); break;
      case opDuplicate: done = DuplicateFrame(Doc->Store, c.Count, c.At); break;
      case opDelete: done = DeleteFrame(Doc->Store, c.Count, c.At); break;
    }
    EXPECT_FALSE(done);
    EXPECT_TRUE(SameDocument(*Doc, *First));
  }
}

}  // namespace
