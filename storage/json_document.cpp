// The JSON reader (storage/json_document.h): a recursive descent over the
// bytes that tracks line and column as it goes.
#include "storage/json_document.h"

#include <algorithm>
#include <limits>

namespace zv {

namespace {

// Walks the text once; the first problem stops the walk and is kept with
// the position of the character that caused it.
class JsonParser {
 public:
  explicit JsonParser(std::string_view text) : text_(text) {}

  JsonParse Run() {
    JsonParse out;
    SkipSpace();
    if (Value(out.root, 0)) {
      SkipSpace();
      if (at_ < text_.size()) Fail(JsonProblem::TrailingText);
    }
    out.error = error_;
    if (!out.ok()) out.root = JsonValue{};
    return out;
  }

 private:
  bool Fail(JsonProblem problem) {
    if (error_.problem == JsonProblem::None) error_ = {problem, position_};
    return false;
  }
  bool AtEnd() const { return at_ >= text_.size(); }
  char Peek() const { return text_[at_]; }

  // Moves past one byte; a UTF-8 continuation byte adds no column.
  void Advance() {
    const auto byte = static_cast<unsigned char>(text_[at_++]);
    if (byte == '\n') {
      ++position_.line;
      position_.column = 1;
    } else if ((byte & 0xC0) != 0x80) {
      ++position_.column;
    }
  }

  void SkipSpace() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) Advance();
  }

  bool Literal(std::string_view word) {
    for (char c : word) {
      if (AtEnd()) return Fail(JsonProblem::UnexpectedEnd);
      if (Peek() != c) return Fail(JsonProblem::UnexpectedCharacter);
      Advance();
    }
    return true;
  }

  bool Value(JsonValue& value, int depth) {
    if (++values_ > kJsonMaxValues) return Fail(JsonProblem::TooManyValues);
    if (AtEnd()) return Fail(JsonProblem::UnexpectedEnd);
    value.at = position_;
    switch (Peek()) {
      case '{':
        return Object(value, depth + 1);
      case '[':
        return Array(value, depth + 1);
      case '"':
        value.type = JsonValue::Type::String;
        return String(value.text);
      case 't':
        value.type = JsonValue::Type::Bool;
        value.boolean = true;
        return Literal("true");
      case 'f':
        value.type = JsonValue::Type::Bool;
        return Literal("false");
      case 'n':
        return Literal("null");
      default:
        if (Peek() == '-' || (Peek() >= '0' && Peek() <= '9')) return Number(value);
        return Fail(JsonProblem::UnexpectedCharacter);
    }
  }

  // Expects `close` or ',' after an item; true when another item follows.
  bool NextItem(char close, bool& more) {
    SkipSpace();
    if (AtEnd()) return Fail(JsonProblem::UnexpectedEnd);
    if (Peek() == close || Peek() == ',') {
      more = Peek() == ',';
      Advance();
      SkipSpace();
      return true;
    }
    return Fail(JsonProblem::UnexpectedCharacter);
  }

  bool Array(JsonValue& value, int depth) {
    if (depth > kJsonMaxDepth) return Fail(JsonProblem::TooDeep);
    value.type = JsonValue::Type::Array;
    Advance();
    SkipSpace();
    if (!AtEnd() && Peek() == ']') {
      Advance();
      return true;
    }
    for (bool more = true; more;) {
      value.items.emplace_back();
      if (!Value(value.items.back(), depth) || !NextItem(']', more)) return false;
    }
    return true;
  }

  bool Object(JsonValue& value, int depth) {
    if (depth > kJsonMaxDepth) return Fail(JsonProblem::TooDeep);
    value.type = JsonValue::Type::Object;
    Advance();
    SkipSpace();
    if (!AtEnd() && Peek() == '}') {
      Advance();
      return true;
    }
    for (bool more = true; more;) {
      if (AtEnd()) return Fail(JsonProblem::UnexpectedEnd);
      if (Peek() != '"') return Fail(JsonProblem::UnexpectedCharacter);
      const TextPosition keyAt = position_;
      std::string key;
      if (!String(key)) return false;
      if (value.Member(key) != nullptr) {
        position_ = keyAt;
        return Fail(JsonProblem::DuplicateKey);
      }
      SkipSpace();
      if (!Literal(":")) return false;
      SkipSpace();
      value.keys.push_back(std::move(key));
      value.items.emplace_back();
      if (!Value(value.items.back(), depth) || !NextItem('}', more)) return false;
    }
    return true;
  }

  bool Digits() {
    if (AtEnd() || Peek() < '0' || Peek() > '9')
      return AtEnd() ? Fail(JsonProblem::UnexpectedEnd) : Fail(JsonProblem::BadNumber);
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') Advance();
    return true;
  }

  bool Number(JsonValue& value) {
    value.type = JsonValue::Type::Number;
    const std::size_t start = at_;
    if (Peek() == '-') Advance();
    if (!AtEnd() && Peek() == '0') {
      Advance();
      if (!AtEnd() && Peek() >= '0' && Peek() <= '9') return Fail(JsonProblem::BadNumber);
    } else if (!Digits()) {
      return false;
    }
    value.integral = true;
    if (!AtEnd() && Peek() == '.') {
      value.integral = false;
      Advance();
      if (!Digits()) return false;
    }
    if (!AtEnd() && (Peek() == 'e' || Peek() == 'E')) {
      value.integral = false;
      Advance();
      if (!AtEnd() && (Peek() == '+' || Peek() == '-')) Advance();
      if (!Digits()) return false;
    }
    if (value.integral) {
      // Saturates: the task's fields are small, so any huge number is simply
      // out of their range.
      const bool negative = text_[start] == '-';
      long long v = 0;
      for (std::size_t i = start + (negative ? 1 : 0); i < at_; ++i)
        v = std::min<long long>(v * 10 + (text_[i] - '0'), std::numeric_limits<int>::max());
      value.integer = negative ? -v : v;
    }
    return true;
  }

  bool Hex4(unsigned& code) {
    code = 0;
    for (int i = 0; i < 4; ++i) {
      if (AtEnd()) return Fail(JsonProblem::UnexpectedEnd);
      const char c = Peek();
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) return Fail(JsonProblem::BadEscape);
      code = code * 16 + static_cast<unsigned>(digit);
      Advance();
    }
    return true;
  }

  static void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  // "\uXXXX", with a surrogate pair taken whole.
  bool UnicodeEscape(std::string& out) {
    unsigned code = 0;
    if (!Hex4(code)) return false;
    if (code >= 0xDC00 && code <= 0xDFFF) return Fail(JsonProblem::BadEscape);
    if (code >= 0xD800 && code <= 0xDBFF) {
      unsigned low = 0;
      if (!Literal("\\u") || !Hex4(low)) return Fail(JsonProblem::BadEscape);
      if (low < 0xDC00 || low > 0xDFFF) return Fail(JsonProblem::BadEscape);
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(out, code);
    return true;
  }

  // One UTF-8 character of a string, checked: no overlong forms, no
  // surrogates, nothing past U+10FFFF.
  bool Utf8Character(std::string& out) {
    const auto lead = static_cast<unsigned char>(Peek());
    const int extra = lead >= 0xF0 && lead <= 0xF4  ? 3
                      : lead >= 0xE0                ? 2
                      : lead >= 0xC2 && lead < 0xE0 ? 1
                                                    : -1;
    if (lead < 0x80 || extra < 0 || at_ + static_cast<std::size_t>(extra) >= text_.size())
      return Fail(JsonProblem::BadUtf8);
    unsigned code = lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
      const auto next = static_cast<unsigned char>(text_[at_ + static_cast<std::size_t>(i)]);
      if ((next & 0xC0) != 0x80) return Fail(JsonProblem::BadUtf8);
      code = code << 6 | (next & 0x3F);
    }
    constexpr unsigned kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (code < kLeast[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return Fail(JsonProblem::BadUtf8);
    for (int i = 0; i <= extra; ++i) {
      out += Peek();
      Advance();
    }
    return true;
  }

  bool String(std::string& out) {
    Advance();  // the opening quote
    while (true) {
      if (AtEnd()) return Fail(JsonProblem::UnexpectedEnd);
      const auto c = static_cast<unsigned char>(Peek());
      if (c == '"') {
        Advance();
        return true;
      }
      if (c < 0x20) return Fail(JsonProblem::ControlCharacter);
      if (c >= 0x80) {
        if (!Utf8Character(out)) return false;
        continue;
      }
      Advance();
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      if (AtEnd()) return Fail(JsonProblem::UnexpectedEnd);
      const char escape = Peek();
      Advance();
      switch (escape) {
        case '"':
        case '\\':
        case '/':
          out += escape;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u':
          if (!UnicodeEscape(out)) return false;
          break;
        default:
          return Fail(JsonProblem::BadEscape);
      }
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
  TextPosition position_;
  std::size_t values_ = 0;
  JsonError error_;
};

}  // namespace

const JsonValue* JsonValue::Member(std::string_view key) const {
  if (type != Type::Object) return nullptr;
  for (std::size_t i = 0; i < keys.size(); ++i)
    if (keys[i] == key) return &items[i];
  return nullptr;
}

JsonParse ParseJson(std::string_view text) { return JsonParser(text).Run(); }

std::string JsonQuoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\u00";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out + '"';
}

}  // namespace zv
