#include "lighting/KeySampler.h"

#include <gtest/gtest.h>

TEST(KeySampler, RowsLandOnTheMiddleOfTheirBands) {
  const KeySampler sampler(6, 21);
  const int expected[] = {7, 17, 27, 37, 47, 57};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(sampler.ImageRow(i), expected[i]) << "grid row " << i;
  // 62 / 8 = 7, so rows are i x 7 + 2 + 3.5, truncated.
  EXPECT_EQ(KeySampler(8, 32).ImageRow(0), 5);
  EXPECT_EQ(KeySampler(8, 32).ImageRow(7), 54);
}

TEST(KeySampler, ColumnsStepByWholeImageColumns) {
  const KeySampler sampler(6, 21);  // 255 / 21 = 12
  EXPECT_EQ(sampler.ImageColumn(0), 0);
  EXPECT_EQ(sampler.ImageColumn(1), 12);
  EXPECT_EQ(sampler.ImageColumn(20), 240);
  EXPECT_EQ(KeySampler(6, 32).ImageColumn(31), 31 * 7);
}

TEST(KeySampler, PositionsOutsideTheGridSampleNothing) {
  const KeySampler sampler(6, 21);
  EXPECT_EQ(sampler.ImageRow(-1), -1);
  EXPECT_EQ(sampler.ImageRow(6), -1);
  EXPECT_EQ(sampler.ImageColumn(21), -1);
  const KeySampler empty;
  EXPECT_EQ(empty.ImageRow(0), -1);
  EXPECT_EQ(empty.ImageColumn(0), -1);
}
