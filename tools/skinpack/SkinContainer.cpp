#include "tools/skinpack/SkinContainer.h"

#include <limits>
#include <set>
#include <stdexcept>

#include "ui/core/AsciiText.h"
#include "skin/store/SkinReader.h"
#include "tools/skinpack/LzhEncoder.h"

namespace skinpack {
namespace {

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

std::int32_t CheckedSize(std::size_t size, const std::string& what) {
  if (size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw std::invalid_argument(what + " is too large for a skin file");
  }
  return static_cast<std::int32_t>(size);
}

}  // namespace

bool IsSafeEntryFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < ' ' || c == '/' || c == '\\' || c == ':') return false;
  }
  return true;
}

void CheckEntryNames(const std::vector<SkinEntry>& entries) {
  std::set<std::string> seen;
  for (const SkinEntry& entry : entries) {
    if (!IsSafeEntryFileName(entry.name)) {
      throw std::invalid_argument("entry name \"" + entry.name + "\" is not a bare file name");
    }
    if (!seen.insert(ui::AsciiLower(entry.name)).second) {
      throw std::invalid_argument("entry name \"" + entry.name + "\" occurs twice");
    }
  }
}

std::vector<std::uint8_t> BuildSkinContainer(const std::vector<SkinEntry>& entries) {
  CheckEntryNames(entries);
  std::string names;
  for (const SkinEntry& entry : entries) names += entry.name + "\r\n";
  std::vector<std::uint8_t> out;
  AppendInt32(out, skin::kSkinFileVersion);
  AppendInt32(out, CheckedSize(names.size(), "the name list"));
  AppendInt32(out, 0);
  AppendInt32(out, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const SkinEntry& entry : entries) AppendInt32(out, CheckedSize(entry.bytes.size(), entry.name));
  for (const SkinEntry& entry : entries) out.insert(out.end(), entry.bytes.begin(), entry.bytes.end());
  if (out.size() > skin::TLZH::kMaxExpandedSize) {
    throw std::invalid_argument("the skin expands to " + std::to_string(out.size()) +
                                " bytes, more than a skin may have (" +
                                std::to_string(skin::TLZH::kMaxExpandedSize) + ")");
  }
  return out;
}

std::vector<std::uint8_t> PackSkin(const std::vector<SkinEntry>& entries) {
  return EncodeLzh(BuildSkinContainer(entries));
}

}  // namespace skinpack
