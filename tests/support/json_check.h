// A small strict JSON reader for tests of --json output: checks that a text
// is exactly one JSON object (one trailing newline allowed) and gives its
// top-level members as raw JSON text, e.g. members["error"] == "\"missing_file\"".
//
//   auto members = zv::test::ParseJsonObject(run.out);
//   ASSERT_TRUE(members);
#pragma once

#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zv::test {

class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : text_(text) {}

  // The members of the object the text holds, or nullopt when the text is
  // anything else: broken JSON, another value, duplicate keys, or more after it.
  std::optional<std::map<std::string, std::string>> Object() {
    std::map<std::string, std::string> members;
    SkipSpace();
    if (!Members(&members)) return std::nullopt;
    if (at_ < text_.size() && text_[at_] == '\n') ++at_;
    if (at_ != text_.size()) return std::nullopt;
    return members;
  }

 private:
  bool Take(char c) {
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }
  void SkipSpace() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r')) ++at_;
  }
  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }
  bool Digits() {
    const std::size_t start = at_;
    while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) ++at_;
    return at_ > start;
  }
  bool Number() {
    Take('-');
    if (!Take('0') && !Digits()) return false;
    if (Take('.') && !Digits()) return false;
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      ++at_;
      if (!Take('+')) Take('-');
      if (!Digits()) return false;
    }
    return true;
  }
  bool String() {
    if (!Take('"')) return false;
    while (at_ < text_.size()) {
      const unsigned char c = static_cast<unsigned char>(text_[at_++]);
      if (c == '"') return true;
      if (c < 0x20) return false;
      if (c != '\\') continue;
      if (at_ >= text_.size()) return false;
      const char e = text_[at_++];
      if (e == 'u') {
        for (int k = 0; k < 4; ++k)
          if (at_ >= text_.size() || !std::isxdigit(static_cast<unsigned char>(text_[at_++]))) return false;
      } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
        return false;
      }
    }
    return false;
  }
  bool Array() {
    if (!Take('[')) return false;
    SkipSpace();
    if (Take(']')) return true;
    do {
      SkipSpace();
      if (!Value()) return false;
      SkipSpace();
    } while (Take(','));
    return Take(']');
  }
  // An object; its members go to `out` unless it is null (nested objects).
  bool Members(std::map<std::string, std::string>* out) {
    if (!Take('{')) return false;
    SkipSpace();
    if (Take('}')) return true;
    do {
      SkipSpace();
      const std::size_t keyStart = at_;
      if (!String()) return false;
      const std::string key(text_.substr(keyStart + 1, at_ - keyStart - 2));
      SkipSpace();
      if (!Take(':')) return false;
      SkipSpace();
      const std::size_t valueStart = at_;
      if (!Value()) return false;
      if (out != nullptr &&
          !out->emplace(key, std::string(text_.substr(valueStart, at_ - valueStart))).second)
        return false;
      SkipSpace();
    } while (Take(','));
    return Take('}');
  }
  bool Value() {
    if (at_ >= text_.size() || ++depth_ > 64) return false;
    bool ok = false;
    switch (text_[at_]) {
      case '{':
        ok = Members(nullptr);
        break;
      case '[':
        ok = Array();
        break;
      case '"':
        ok = String();
        break;
      case 't':
        ok = Word("true");
        break;
      case 'f':
        ok = Word("false");
        break;
      case 'n':
        ok = Word("null");
        break;
      default:
        ok = Number();
    }
    --depth_;
    return ok;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  int depth_ = 0;
};

inline std::optional<std::map<std::string, std::string>> ParseJsonObject(std::string_view text) {
  return JsonReader(text).Object();
}

}  // namespace zv::test
