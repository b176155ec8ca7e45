#include "zones/remove_label.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pass/assembler.h"
#include "pass/line_store.h"
#include "testing/fakes.h"
#include "testing/hex_builder.h"
#include "zones/apply_data_zones.h"
#include "zones/zone_list.h"

namespace tessarin {
namespace {

using testing::EndRecord;
using testing::WordRecord;

class RemoveLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A CALL into a gap (its EQU line), a labelled GOTO, an ORG jump, and a
    // labelled word that becomes a DW line.
    const std::vector<std::string> records = {WordRecord(0, {0x2010, 0x2801, 0x2021}),
                                              WordRecord(0x0020, {0x3441, 0x3442}), EndRecord()};
    for (size_t i = 0; i < records.size(); ++i) {
      ASSERT_TRUE(StoreLine(state_, static_cast<int>(i), records[i]).ok());
    }
    state_.HexLineCount = static_cast<int16_t>(records.size() - 1);
    ASSERT_TRUE(Assembler(state_, yield_, clock_).ok());
    EnterZone(state_, "0021 0021");
    ASSERT_TRUE(ApplyDataZones(state_).empty());
    // 5: EQU W0010, 6-8: words 0000-0002 (0001 labelled), 9-10: empty and
    // ORG lines, 11: word 0020, 12: DW line labelled W0021, 13: end line.
    ASSERT_EQ(state_.List1.Count(), 14);
    ASSERT_EQ(state_.List1.Item(12).substr(0, 27), "0021  3442      W0021\tDW   ");
  }

  // The listing after a double-click on line `index` (-1: no selection).
  std::vector<std::string> RemoveAt(int index) {
    state_.List1.Select(index);
    RemoveLabel(state_);
    return state_.List1.Items();
  }

  SharedState state_;
  testing::CountingYield yield_;
  testing::FixedClock clock_;
};

TEST_F(RemoveLabelTest, BlanksTheLabelFieldOfWordAndDwLines) {
  struct Row {
    int index;
    std::string after;
  };
  const std::vector<Row> rows = {
      {7, "0001  2801  (.       \tGOTO\tW0001"},
      {11, "0020  3441  4A       \tRETLW\t0x41"},  // no label: nothing to see
  };
  for (const Row& row : rows) {
    std::vector<std::string> expected = state_.List1.Items();
    expected[static_cast<size_t>(row.index)] = row.after;
    EXPECT_EQ(RemoveAt(row.index), expected) << row.index;
    EXPECT_EQ(state_.List1.SelectedIndex(), row.index);
  }

  // The DW words and their comment stay; the label list keeps the label.
  std::string dw = state_.List1.Item(12);
  dw.replace(16, 5, "     ");
  EXPECT_EQ(RemoveAt(12)[12], dw);
  EXPECT_EQ(state_.List3.Items(), (std::vector<std::string>{"W0001", "W0010", "W0021"}));
}

TEST_F(RemoveLabelTest, LeavesEveryOtherLineAlone) {
  const std::vector<std::string> before = state_.List1.Items();
  // No selection, the header, the EQU line, the empty and ORG lines, the
  // end line: none of them has a label field.
  for (int index : {-1, 0, 1, 2, 3, 4, 5, 9, 10, 13}) {
    EXPECT_EQ(RemoveAt(index), before) << index;
  }
}

TEST_F(RemoveLabelTest, NeverWritesPastTheLineEnd) {
  for (const std::string& line : {std::string("0030  3441  4A  W0"), std::string("0030")}) {
    state_.List1.Add(line);
    const int index = state_.List1.Count() - 1;
    const std::string after = RemoveAt(index)[static_cast<size_t>(index)];
    EXPECT_EQ(after.size(), line.size());
    EXPECT_EQ(after, line.size() > 16 ? "0030  3441  4A    " : line);
  }
}

}  // namespace
}  // namespace tessarin
