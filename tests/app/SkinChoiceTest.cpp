#include "app/SkinChoice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace app {
namespace {

TEST(SkinChoice, EveryStoreItemHasItsOwnCommandBelowTheSystemCommands) {
  std::set<std::uint32_t> seen;
  for (int item = 0; item < kSkinChoiceCount; ++item) {
    const std::uint32_t command = SkinChoiceCommand(item);
    EXPECT_LT(command, 0xF000u);
    EXPECT_EQ(command & 0xF, 0u) << "WM_SYSCOMMAND's low bits belong to the system";
    EXPECT_TRUE(seen.insert(command).second);
    EXPECT_EQ(SkinChoiceOfCommand(command), item);
    EXPECT_EQ(SkinChoiceOfCommand(command | 0x2), item) << "the system's low bits are ignored";
  }
}

TEST(SkinChoice, OtherCommandsChooseNothing) {
  EXPECT_FALSE(SkinChoiceOfCommand(0));
  EXPECT_FALSE(SkinChoiceOfCommand(kSkinChoiceFirstCommand - kSkinChoiceStep));
  EXPECT_FALSE(SkinChoiceOfCommand(SkinChoiceCommand(kSkinChoiceCount)));
  EXPECT_FALSE(SkinChoiceOfCommand(0xF060));
  EXPECT_FALSE(SkinChoiceOfCommand(0xF120));
}

TEST(SkinChoice, CaptionsAreTheSkinsChineseNames) {
  EXPECT_EQ(SkinChoiceCaption(0), L"皮肤：银色");
  EXPECT_EQ(SkinChoiceCaption(2), L"皮肤：蓝宝石");
  EXPECT_EQ(SkinChoiceCaption(4), L"皮肤：琥珀");
  EXPECT_TRUE(SkinChoiceCaption(-1).empty());
  EXPECT_TRUE(SkinChoiceCaption(kSkinChoiceCount).empty());
}

}  // namespace
}  // namespace app
