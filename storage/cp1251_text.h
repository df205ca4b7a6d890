// Descriptions are single-byte Windows-1251 in the task and UTF-8 in text
// files; these convert between the two with the standard library alone.
// Every one of the 256 bytes has a character, so any description comes back
// byte for byte: the one byte Windows-1251 leaves unassigned, 0x98, stands
// for U+0098 as web browsers read it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

std::string Cp1251ToUtf8(std::string_view bytes);

// The Windows-1251 bytes of UTF-8 `text` (valid UTF-8 assumed); nothing when
// a character has no byte, with `badIndex` its character position from 0.
std::optional<std::string> Utf8ToCp1251(std::string_view text, std::size_t& badIndex);

}  // namespace zv
