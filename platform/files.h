// Whole-file access for the core and the command-line tool, over the C++
// standard library: existence, whole-file read, and atomic whole-file write
// (a temporary file in the same folder, flushed, then renamed over the
// target, so an interrupted or failed write never destroys the old file).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zv {

enum class FileReadStatus { Ok, Missing, Failed };

bool FileExists(const std::string& path);
FileReadStatus ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);
bool WriteWholeFileAtomic(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace zv
