// A small JSON reader for the text task form: parses a whole UTF-8 document
// into a tree whose every value remembers the line and column it starts at,
// so that a reader of the contents can point at the value it refuses, not
// only at broken syntax.
//
// Usage:
//   zv::JsonParse parsed = zv::ParseJson(text);
//   if (!parsed.ok()) report(parsed.error.problem, parsed.error.at.line, parsed.error.at.column);
//   const zv::JsonValue* width = parsed.root.Member("width");
//
// Limits that keep a hostile file small in memory: nesting deeper than
// kJsonMaxDepth and more than kJsonMaxValues values are refused.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

inline constexpr int kJsonMaxDepth = 32;
inline constexpr std::size_t kJsonMaxValues = 200000;

// Line and column from 1; columns count characters, not bytes.
struct TextPosition {
  int line = 1;
  int column = 1;
};

enum class JsonProblem {
  None,
  UnexpectedEnd,        // the text ends inside a value
  UnexpectedCharacter,  // a character no JSON value or separator starts with
  BadNumber,            // a number JSON does not allow (leading zeros, "1.", ...)
  BadEscape,            // an unknown backslash escape or a lone surrogate
  BadUtf8,              // bytes that are not UTF-8
  ControlCharacter,     // an unescaped control character inside a string
  DuplicateKey,         // an object names one key twice
  TooDeep,              // arrays and objects nested deeper than kJsonMaxDepth
  TooManyValues,        // more than kJsonMaxValues values
  TrailingText,         // something after the document's one value
};

struct JsonError {
  JsonProblem problem = JsonProblem::None;
  TextPosition at;
};

struct JsonValue {
  enum class Type : std::uint8_t { Null, Bool, Number, String, Array, Object };

  Type type = Type::Null;
  TextPosition at;                // where the value starts
  bool boolean = false;           // Bool
  bool integral = false;          // Number: written without fraction or exponent
  long long integer = 0;          // Number when integral (saturated)
  std::string text;               // String: UTF-8
  std::vector<JsonValue> items;   // Array; Object: the members' values
  std::vector<std::string> keys;  // Object: keys[i] names items[i]

  // The member named `key` of an object; nullptr when absent or no object.
  const JsonValue* Member(std::string_view key) const;
};

struct JsonParse {
  JsonValue root;
  JsonError error;  // problem None when the whole text was one valid value
  bool ok() const { return error.problem == JsonProblem::None; }
};

JsonParse ParseJson(std::string_view text);

// `text` (UTF-8) as a JSON string literal with its quotes; control
// characters, quotes and backslashes are escaped, everything else kept.
std::string JsonQuoted(std::string_view text);

}  // namespace zv
