// The gallery's check of a skin file before it replaces the skin in use: the packed skins pass;
// empty, foreign, older, cut and oversized files are refused with a sentence for the user.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gallery/SkinFileCheck.h"
#include "skin/store/SkinReader.h"

using gallery::SkinFileProblem;

namespace {

std::vector<std::uint8_t> SkinBytes(int item) {
  std::ifstream in(std::filesystem::path(TRELVIX_SKINS_DIR) / "packed" / ("SkinItem" + std::to_string(item) + ".skn"),
                   std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(SkinFileCheck, ThePackedSkinsAreUsable) {
  for (int item = 0; item < 5; ++item) EXPECT_EQ(SkinFileProblem(SkinBytes(item)), L"") << item;
}

TEST(SkinFileCheck, DamagedAndForeignFilesAreRefusedWithAReason) {
  EXPECT_EQ(SkinFileProblem({}), L"The file is empty.");
  const std::vector<std::uint8_t> text{'n', 'o', 't', ' ', 'a', ' ', 's', 'k', 'i', 'n', ' ', 'f', 'i', 'l', 'e'};
  EXPECT_FALSE(SkinFileProblem(text).empty());
  std::vector<std::uint8_t> skin = SkinBytes(2);
  ASSERT_GT(skin.size(), 100u);
  const std::vector<std::uint8_t> cut(skin.begin(), skin.begin() + static_cast<std::ptrdiff_t>(skin.size() / 2));
  EXPECT_FALSE(SkinFileProblem(cut).empty()) << "a skin file cut in half";
  EXPECT_EQ(SkinFileProblem(std::vector<std::uint8_t>(skin::kMaxSkinFileSize + 1, 0)),
            L"The file is too large to be a skin file.");
}
