// JSON text for zorvat-cli's --json output: quoted strings and a builder for
// one flat object whose values are numbers, booleans, null or strings.
#pragma once

#include <concepts>
#include <string>
#include <string_view>

namespace zv::cli {

// `text` as a JSON string literal, quotes included. Control characters are
// escaped; bytes that do not form valid UTF-8 become U+FFFD, so any path or
// message gives valid JSON.
std::string JsonString(std::string_view text);

// Members are written in the order added; Text() gives "{...}".
class JsonObject {
 public:
  JsonObject& Add(std::string_view key, std::string_view value);
  JsonObject& Add(std::string_view key, const char* value) { return Add(key, std::string_view(value)); }
  JsonObject& Add(std::string_view key, bool value);
  template <std::integral T>
  requires(!std::same_as<T, bool>) JsonObject& Add(std::string_view key, T value) {
    return AddRaw(key, std::to_string(value));
  }
  JsonObject& AddNull(std::string_view key);
  // `json` is already JSON text (a number, an array, an object).
  JsonObject& AddRaw(std::string_view key, std::string_view json);

  std::string Text() const { return text_ + '}'; }

 private:
  std::string text_ = "{";
};

}  // namespace zv::cli
