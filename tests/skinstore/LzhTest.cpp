#include <gtest/gtest.h>

#include "skin/store/LzhDecoder.h"
#include "tests/skinstore/TestBytes.h"
#include "tools/skinpack/LzhEncoder.h"

namespace skin {
namespace {

using testing::Bytes;
using testing::MixedBytes;
using testing::RandomBytes;

std::vector<std::uint8_t> RoundTrip(const std::vector<std::uint8_t>& data) {
  return TLZH().Decode(skinpack::EncodeLzh(data));
}

std::vector<std::uint8_t> Stream(std::int32_t size, std::vector<std::uint8_t> bits) {
  std::vector<std::uint8_t> out;
  testing::AppendInt32(out, size);
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}

TEST(LzhTest, EncoderOutputExpandsToTheSameBytes) {
  const std::vector<std::vector<std::uint8_t>> inputs = {
      {},
      {0x42},
      Bytes("abc"),
      Bytes("abcabcabcabcabcabcabcabcabcabcabcabcabcabcabcabcabcabcabcabcabcabcabc"),
      std::vector<std::uint8_t>(300000, 'z'),
      std::vector<std::uint8_t>(5000, ' '),
      RandomBytes(70000, 7),
      MixedBytes(1 << 20),
  };
  for (const auto& input : inputs) {
    SCOPED_TRACE(input.size());
    EXPECT_EQ(RoundTrip(input), input);
    const auto literals = skinpack::EncodeLzh(input, skinpack::LzhMatching::None);
    EXPECT_EQ(TLZH().Decode(literals), input);
  }
}

TEST(LzhTest, CompressesWhatRepeatsAndKeepsNoiseNearItsSize) {
  const std::vector<std::uint8_t> same(1 << 20, 0xAB);
  EXPECT_LT(skinpack::EncodeLzh(same).size(), same.size() / 20);
  // Literals alone: one code of at least a bit per byte, however the bytes repeat.
  EXPECT_GE(skinpack::EncodeLzh(same, skinpack::LzhMatching::None).size(), same.size() / 8);
  const auto noise = RandomBytes(100000, 3);
  EXPECT_LT(skinpack::EncodeLzh(noise).size(), noise.size() * 115 / 100);
  // Spaces match the ring buffer's preset content from the first byte on.
  EXPECT_LT(skinpack::EncodeLzh(std::vector<std::uint8_t>(600, ' ')).size(), 30u);
}

TEST(LzhTest, ExpandedSizeOfZeroOrLessGivesNothing) {
  EXPECT_TRUE(TLZH().Decode(Stream(0, {0xFF, 0xFF})).empty());
  EXPECT_TRUE(TLZH().Decode(Stream(-5, {0xFF, 0xFF})).empty());
  EXPECT_TRUE(TLZH().Decode(Stream(INT32_MIN, {})).empty());
  EXPECT_TRUE(TLZH().Decode({}).empty());
  EXPECT_EQ(TLZH::ExpandedSize(std::vector<std::uint8_t>{0x10, 0x27}), 10000);
}

TEST(LzhTest, TheFirstCodesFollowTheInitialTree) {
  // Eight zero bits lead from the root to literal 't' in the initial tree.
  EXPECT_EQ(TLZH().Decode(Stream(1, {0x00})), Bytes("t"));
  // 11000101 is the longest match (60 bytes), then position 0: one byte back from the start,
  // where the ring buffer holds spaces.
  EXPECT_EQ(TLZH().Decode(Stream(60, {0xC5, 0x00, 0x00})), std::vector<std::uint8_t>(60, ' '));
  // Position 4035 reaches the ring buffer's first byte: a space as well.
  EXPECT_EQ(TLZH().Decode(Stream(60, {0xC5, 0xFF, 0x0C})), std::vector<std::uint8_t>(60, ' '));
  // Position 4095 reaches the 60 bytes no output has written yet; a damaged stream reads zeros there.
  EXPECT_EQ(TLZH().Decode(Stream(60, {0xC5, 0xFF, 0xFC})), std::vector<std::uint8_t>(60, 0));
}

TEST(LzhTest, BitsThatRunOutReadAsZeroAndTheSizeStillHolds) {
  const auto input = MixedBytes(200000);
  const auto packed = skinpack::EncodeLzh(input);
  const std::vector<std::uint8_t> cut(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packed.size() / 2));
  const auto output = TLZH().Decode(cut);
  ASSERT_EQ(output.size(), input.size());
  EXPECT_TRUE(std::equal(output.begin(), output.begin() + 20000, input.begin()));
  EXPECT_NE(output, input);

  EXPECT_EQ(TLZH().Decode(Stream(100000, {})).size(), 100000u);
  EXPECT_EQ(TLZH().Decode(std::vector<std::uint8_t>{0x05}).size(), 5u);
}

TEST(LzhTest, AMatchPastTheSizeIsCutAtTheSize) {
  EXPECT_EQ(TLZH().Decode(Stream(7, {0xC5, 0x00, 0x00})), std::vector<std::uint8_t>(7, ' '));
}

TEST(LzhTest, SizesBeyondTheLimitAreRefusedBeforeAnyWork) {
  try {
    TLZH().Decode(Stream(1001, {}), 1000);
    ADD_FAILURE() << "a size beyond the limit was expanded";
  } catch (const ui::Exception& e) {
    EXPECT_NE(dynamic_cast<const ElzhException*>(&e), nullptr);
    EXPECT_EQ(e.Message(), L"LZH : Expanded size is beyond the limit");
  }
  EXPECT_THROW(TLZH().Decode(Stream(INT32_MAX, {})), ElzhException);
  EXPECT_EQ(TLZH().Decode(Stream(1000, {}), 1000).size(), 1000u);
}

TEST(LzhTest, TheProductCapIs32MegabytesAndACallersOwnCapIsKeptExactly) {
  EXPECT_EQ(TLZH::kMaxExpandedSize, std::size_t{32} << 20);
  const auto cap = static_cast<std::int32_t>(TLZH::kMaxExpandedSize);
  EXPECT_EQ(TLZH().Decode(Stream(cap, {})).size(), TLZH::kMaxExpandedSize);
  EXPECT_THROW(TLZH().Decode(Stream(cap + 1, {})), ElzhException);
  EXPECT_EQ(TLZH().Decode(Stream(128, {}), 128).size(), 128u);
  EXPECT_THROW(TLZH().Decode(Stream(129, {}), 128), ElzhException);
}

}  // namespace
}  // namespace skin
