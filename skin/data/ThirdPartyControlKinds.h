#pragma once
// Controls of other component libraries, by class name, and the kind of skinned control each one
// is treated as ("TRzButton=button"). The skin component's Skin3rd list starts with these lines.
#include <string>
#include <string_view>
#include <vector>

namespace skin {

inline constexpr std::size_t kSkin3rdKindLimit = 50;

// The 117 built-in lines "ClassName=kind".
const std::vector<std::wstring_view>& DefaultSkin3rdLines();

// The kind of the first line that begins with className followed by "=", in lower case (letter case
// of both ignored, at most 50 characters); empty when no line names the class.
std::wstring LookupSkin3rdKind(const std::vector<std::wstring>& lines, std::wstring_view className);

}  // namespace skin
