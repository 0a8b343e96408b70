#include "tests/support/GoldenImage.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/support/PngWriter.h"

namespace trelvix::testing {
namespace {

std::filesystem::path ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return std::filesystem::path(path).parent_path();
}

bool WritePng(const std::filesystem::path& path, const PngPicture& picture) {
  const auto bytes = EncodeCompressedPng(picture.width, picture.height, picture.rgb);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

bool UpdatingGoldens() {
  const char* value = std::getenv("TRELVIX_GOLDEN_UPDATE");
  return value && std::string(value) == "1";
}

::testing::AssertionResult MatchesGolden(const Capture& capture, const std::string& name,
                                         const GoldenTolerance& tolerance) {
  if (capture.rgb.empty()) return ::testing::AssertionFailure() << name << ": nothing was captured";
  const PngPicture actual{capture.width, capture.height, capture.rgb};
  const std::filesystem::path reference = std::filesystem::path(TRELVIX_GOLDEN_DIR) / (name + ".png");

  PngPicture expected;
  std::string why = "there is no reference picture";
  bool readable = false;
  if (std::ifstream in(reference, std::ios::binary); in) {
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    readable = DecodePng(bytes, expected, why);
  }
  const GoldenComparison comparison = readable ? ComparePictures(expected, actual, tolerance) : GoldenComparison{};
  if (readable && comparison.Matches(tolerance)) return ::testing::AssertionSuccess();

  if (UpdatingGoldens()) {
    std::filesystem::create_directories(reference.parent_path());
    if (!WritePng(reference, actual)) return ::testing::AssertionFailure() << "cannot write " << reference.string();
    return ::testing::AssertionSuccess() << "wrote " << reference.string();
  }

  const std::filesystem::path folder = ProgramFolder() / "golden";
  std::filesystem::create_directories(folder);
  const std::filesystem::path actualFile = folder / (name + "-actual.png");
  const std::filesystem::path diffFile = folder / (name + "-diff.png");
  WritePng(actualFile, actual);
  auto failure = ::testing::AssertionFailure();
  failure << name << ": " << (readable ? comparison.Describe() : why) << " (reference " << reference.string()
          << ", " << actual.width << "x" << actual.height << " captured); actual picture " << actualFile.string();
  if (readable && comparison.sameSize) {
    WritePng(diffFile, comparison.diff);
    failure << ", diff picture " << diffFile.string();
  }
  return failure << "; if the change is meant, run ./test golden --update and look at the new references";
}

}  // namespace trelvix::testing
