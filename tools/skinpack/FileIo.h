// Whole-file reading and writing for the skin tool; failures throw std::runtime_error with
// the file's name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace skinpack {

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace skinpack
