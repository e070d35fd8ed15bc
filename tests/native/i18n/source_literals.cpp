#include "source_literals.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>

#include "i18n/utf8.h"

namespace mf::i18n::testing {
namespace {

enum class TokenKind { Identifier, String, Punct, Other };

struct Token {
  TokenKind kind;
  std::string text;  // identifier name, punctuation character, or decoded string value
  int line;
};

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Lexer {
 public:
  explicit Lexer(std::string_view source) : src_(source) {}

  std::vector<Token> Run() {
    while (pos_ < src_.size()) Step();
    return std::move(tokens_);
  }

 private:
  char At(size_t offset) const { return pos_ + offset < src_.size() ? src_[pos_ + offset] : '\0'; }

  void Advance(size_t count = 1) {
    for (size_t i = 0; i < count && pos_ < src_.size(); ++i, ++pos_)
      if (src_[pos_] == '\n') ++line_;
  }

  void Push(TokenKind kind, std::string text, int line) {
    // Adjacent literals form one string, as the compiler joins them.
    if (kind == TokenKind::String && !tokens_.empty() && tokens_.back().kind == TokenKind::String) {
      tokens_.back().text += text;
      return;
    }
    tokens_.push_back({kind, std::move(text), line});
  }

  void Step() {
    char c = At(0);
    if (std::isspace(static_cast<unsigned char>(c))) return Advance();
    if (c == '/' && At(1) == '/') {
      while (pos_ < src_.size() && src_[pos_] != '\n') Advance();
      return;
    }
    if (c == '/' && At(1) == '*') {
      Advance(2);
      while (pos_ < src_.size() && !(At(0) == '*' && At(1) == '/')) Advance();
      return Advance(2);
    }
    if (IsIdentStart(c)) return Word();
    if (std::isdigit(static_cast<unsigned char>(c)) || (c == '.' && std::isdigit(static_cast<unsigned char>(At(1)))))
      return Number();
    if (c == '"') return QuotedString();
    if (c == '\'') return CharLiteral();
    int line = line_;
    Advance();
    Push(TokenKind::Punct, std::string(1, c), line);
  }

  void Word() {
    size_t start = pos_;
    int line = line_;
    while (IsIdentChar(At(0))) Advance();
    std::string word(src_.substr(start, pos_ - start));
    if (At(0) == '"') {
      static const char* const kPrefixes[] = {"u8", "u", "U", "L"};
      static const char* const kRawPrefixes[] = {"R", "u8R", "uR", "UR", "LR"};
      for (const char* prefix : kRawPrefixes)
        if (word == prefix) return RawString(line);
      for (const char* prefix : kPrefixes)
        if (word == prefix) return QuotedString();
    }
    if (At(0) == '\'' && (word == "u8" || word == "u" || word == "U" || word == "L")) return CharLiteral();
    Push(TokenKind::Identifier, std::move(word), line);
  }

  void Number() {
    int line = line_;
    while (pos_ < src_.size()) {
      char c = At(0);
      if ((c == '+' || c == '-') && pos_ > 0 && std::strchr("eEpP", src_[pos_ - 1])) {
        Advance();
      } else if (IsIdentChar(c) || c == '.' || (c == '\'' && IsIdentChar(At(1)))) {
        Advance();
      } else {
        break;
      }
    }
    Push(TokenKind::Other, "0", line);
  }

  void CharLiteral() {
    int line = line_;
    Advance();  // opening quote
    while (pos_ < src_.size() && At(0) != '\'' && At(0) != '\n') Advance(At(0) == '\\' ? 2 : 1);
    Advance();
    Push(TokenKind::Other, "'", line);
  }

  // One escape sequence after the backslash; appends its value.
  void Escape(std::string& out) {
    char c = At(0);
    Advance();
    switch (c) {
      case 'n': out += '\n'; return;
      case 't': out += '\t'; return;
      case 'r': out += '\r'; return;
      case 'a': out += '\a'; return;
      case 'b': out += '\b'; return;
      case 'f': out += '\f'; return;
      case 'v': out += '\v'; return;
      case 'x': {
        unsigned value = 0;
        while (HexValue(At(0)) >= 0) {
          value = value * 16 + static_cast<unsigned>(HexValue(At(0)));
          Advance();
        }
        out += static_cast<char>(value & 0xFF);
        return;
      }
      case 'u':
      case 'U': {
        std::uint32_t cp = 0;
        for (int i = 0, n = c == 'u' ? 4 : 8; i < n && HexValue(At(0)) >= 0; ++i) {
          cp = cp * 16 + static_cast<std::uint32_t>(HexValue(At(0)));
          Advance();
        }
        AppendUtf8(out, cp);
        return;
      }
      default:
        if (c >= '0' && c <= '7') {
          unsigned value = static_cast<unsigned>(c - '0');
          for (int i = 0; i < 2 && At(0) >= '0' && At(0) <= '7'; ++i) {
            value = value * 8 + static_cast<unsigned>(At(0) - '0');
            Advance();
          }
          out += static_cast<char>(value & 0xFF);
          return;
        }
        out += c;  // \" \' \\ \? and anything else stand for themselves
    }
  }

  void QuotedString() {
    int line = line_;
    Advance();  // opening quote
    std::string value;
    while (pos_ < src_.size() && At(0) != '"' && At(0) != '\n') {
      if (At(0) == '\\') {
        Advance();
        Escape(value);
      } else {
        value += At(0);
        Advance();
      }
    }
    Advance();  // closing quote
    Push(TokenKind::String, std::move(value), line);
  }

  void RawString(int line) {
    Advance();  // opening quote
    size_t open = src_.find('(', pos_);
    if (open == std::string_view::npos) {
      pos_ = src_.size();
      return;
    }
    std::string closing = ")" + std::string(src_.substr(pos_, open - pos_)) + "\"";
    Advance(open + 1 - pos_);
    size_t end = src_.find(closing, pos_);
    if (end == std::string_view::npos) end = src_.size();
    std::string value(src_.substr(pos_, end - pos_));
    Advance(end - pos_ + closing.size());
    Push(TokenKind::String, std::move(value), line);
  }

  std::string_view src_;
  size_t pos_ = 0;
  int line_ = 1;
  std::vector<Token> tokens_;
};

bool Is(const std::vector<Token>& tokens, size_t i, TokenKind kind, std::string_view text = {}) {
  return i < tokens.size() && tokens[i].kind == kind && (text.empty() || tokens[i].text == text);
}

bool IsTranslationCall(const std::string& name) {
  return name == "TrPtr" || name == "TrWide" || name == "Translate";
}

// `name = "text";` or `name{"text"};` anywhere in the files: a named string constant.
std::map<std::string, std::string> NamedConstants(const std::vector<std::vector<Token>>& files) {
  std::map<std::string, std::string> constants;
  for (const std::vector<Token>& t : files) {
    for (size_t i = 0; i + 3 < t.size(); ++i) {
      if (t[i].kind != TokenKind::Identifier) continue;
      bool assigned = Is(t, i + 1, TokenKind::Punct, "=") && Is(t, i + 2, TokenKind::String) &&
                      Is(t, i + 3, TokenKind::Punct, ";");
      bool braced = Is(t, i + 1, TokenKind::Punct, "{") && Is(t, i + 2, TokenKind::String) &&
                    Is(t, i + 3, TokenKind::Punct, "}");
      if (assigned || braced) constants.emplace(t[i].text, t[i + 2].text);
    }
  }
  return constants;
}

void AddText(std::vector<DisplayedText>& out, const std::string& text, const std::string& file, int line) {
  if (!text.empty()) out.push_back({text, file + ":" + std::to_string(line)});
}

}  // namespace

std::vector<DisplayedText> FindDisplayedTexts(const std::vector<SourceFile>& files) {
  std::vector<std::vector<Token>> tokenized;
  tokenized.reserve(files.size());
  for (const SourceFile& file : files) tokenized.push_back(Lexer(file.text).Run());
  const std::map<std::string, std::string> constants = NamedConstants(tokenized);

  std::vector<DisplayedText> found;
  for (size_t f = 0; f < files.size(); ++f) {
    const std::vector<Token>& t = tokenized[f];
    const std::string& name = files[f].name;
    for (size_t i = 0; i < t.size(); ++i) {
      if (t[i].kind != TokenKind::Identifier) continue;

      // TrPtr("..."), TrWide("..." "..."), i18n::Translate("...")
      if (IsTranslationCall(t[i].text) && Is(t, i + 1, TokenKind::Punct, "(")) {
        if (Is(t, i + 2, TokenKind::String) && Is(t, i + 3, TokenKind::Punct, ")")) {
          AddText(found, t[i + 2].text, name, t[i + 2].line);
          continue;
        }
        // TrWide(kHint) or TrWide(app::kHint): a named constant.
        size_t j = i + 2;
        while (Is(t, j, TokenKind::Identifier) && Is(t, j + 1, TokenKind::Punct, ":") &&
               Is(t, j + 2, TokenKind::Punct, ":"))
          j += 3;
        if (Is(t, j, TokenKind::Identifier) && Is(t, j + 1, TokenKind::Punct, ")")) {
          auto constant = constants.find(t[j].text);
          if (constant != constants.end()) AddText(found, constant->second, name, t[j].line);
        }
        continue;
      }

      // kButtons[] = { {"PLAY", ...}, {"Settings", ...} }: the first literal of each row.
      if (std::find(std::begin(kLabelTables), std::end(kLabelTables), t[i].text) != std::end(kLabelTables) &&
          Is(t, i + 1, TokenKind::Punct, "[")) {
        size_t j = i + 2;
        while (j < t.size() && !Is(t, j, TokenKind::Punct, "{") && !Is(t, j, TokenKind::Punct, ";")) ++j;
        if (!Is(t, j, TokenKind::Punct, "{")) continue;
        int depth = 0;
        for (; j < t.size(); ++j) {
          if (Is(t, j, TokenKind::Punct, "{")) {
            ++depth;
            if (depth == 2 && Is(t, j + 1, TokenKind::String)) AddText(found, t[j + 1].text, name, t[j + 1].line);
          } else if (Is(t, j, TokenKind::Punct, "}")) {
            if (--depth == 0) break;
          }
        }
        i = j;
      }
    }
  }
  return found;
}

}  // namespace mf::i18n::testing
