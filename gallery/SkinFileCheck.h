#pragma once
// Whether a file can take the place of the skin in use: it must be a complete skin file of the
// current version with an INI text and pictures that read as BMP files. Anything else is refused
// with a sentence for the user, so the skin in use stays.
#include <cstdint>
#include <span>
#include <string>

namespace gallery {

// Empty when the bytes are a usable skin file, else why they are not.
std::wstring SkinFileProblem(std::span<const std::uint8_t> bytes);

}  // namespace gallery
