// TNTabEd: mapping, properties, resizing, notifications and whole-table operations.
#include <gtest/gtest.h>

#include "ntabed/qor_ntabed.h"

namespace qor {
namespace {

TEST(NTabEdData, NewEditorHasThreeColumnsFourRowsOfZeros) {
  TNTabEd E;
  EXPECT_EQ(E.NrOfColumns(), 3);
  EXPECT_EQ(E.NrOfRows(), 4);
  EXPECT_EQ(E.ColCount(), 5);
  EXPECT_EQ(E.RowCount(), 5);
  EXPECT_EQ(E.FixedCols(), 2);
  EXPECT_EQ(E.FixedRows(), 1);
  for (int C = 1; C <= 3; ++C) {
    EXPECT_EQ(E.Precision(C), 3);
    for (int R = 1; R <= 4; ++R) EXPECT_EQ(E.Elem(C, R), 0.0);
  }
  EXPECT_EQ(E.ColWidths(0), 80);
  EXPECT_EQ(E.ColWidths(-1), 32);
}

}  // namespace
}  // namespace qor
