// MqoTokenizer: the words of one line of an MQO file, found without copying.
// The words are exactly those of Utility::Tokenize: runs of characters
// between whitespace (space, \t, \v, \n, \r, \f); a double-quoted group is
// one word, whitespace and all, without its quotes; an empty group gives no
// word; a quote ends the word it touches; a quote that is never closed ends
// the line, keeping the words found before it. Words are views into the
// text, which must outlive them.
//
// The reader turns "(" and ")" into blanks before splitting some lines. On a
// line without quotes that is the same as splitting at them, which the
// tokenizer does when asked, saving the copy; a line with quotes must be
// copied and changed, since the change reaches into quoted text.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace woxa {

class MqoTokenizer {
 public:
  explicit MqoTokenizer(std::string_view text, bool parentheses_are_blanks = false)
      : text_(text), blanks_(parentheses_are_blanks ? kWhitespace | kParenthesis : kWhitespace) {}

  // The next word; false when there is none left.
  bool Next(std::string_view* word) {
    while (position_ < text_.size()) {
      const char c = text_[position_];
      if (IsBlank(c)) {
        ++position_;
      } else if (c == '"') {
        if (!NextQuoted(word)) continue;
        return true;
      } else {
        const std::size_t start = position_;
        while (position_ < text_.size() && !EndsWord(text_[position_])) ++position_;
        *word = text_.substr(start, position_ - start);
        return true;
      }
    }
    return false;
  }

  // Replaces words with all words of text. False when a quote is never
  // closed, as Utility::Tokenize reports it.
  static bool Split(std::string_view text, std::vector<std::string_view>* words) {
    MqoTokenizer tokenizer(text);
    tokenizer.SplitFirst(static_cast<std::size_t>(-1), words);
    return !tokenizer.unclosed_;
  }

  // Replaces words with the first count words (or fewer) of what is left.
  void SplitFirst(std::size_t count, std::vector<std::string_view>* words) {
    words->clear();
    std::string_view word;
    while (words->size() < count && Next(&word)) words->push_back(word);
  }

  static bool IsWhitespace(char c) { return (ClassOf(c) & kWhitespace) != 0; }

 private:
  // Character classes, looked up once a character on the hot path.
  static constexpr unsigned char kWhitespace = 1;
  static constexpr unsigned char kParenthesis = 2;
  static constexpr unsigned char kQuote = 4;

  struct Classes {
    unsigned char of[256] = {};
    constexpr Classes() {
      for (const char c : {' ', '\t', '\v', '\n', '\r', '\f'}) of[static_cast<unsigned char>(c)] = kWhitespace;
      of[static_cast<unsigned char>('(')] = kParenthesis;
      of[static_cast<unsigned char>(')')] = kParenthesis;
      of[static_cast<unsigned char>('"')] = kQuote;
    }
  };
  static unsigned char ClassOf(char c) {
    static constexpr Classes kClasses;
    return kClasses.of[static_cast<unsigned char>(c)];
  }

  bool IsBlank(char c) const { return (ClassOf(c) & blanks_) != 0; }
  bool EndsWord(char c) const { return (ClassOf(c) & (blanks_ | kQuote)) != 0; }

  // At an opening quote: the group up to the closing quote, or false for an
  // empty group (skipped) and for an unclosed one (the rest of the line).
  bool NextQuoted(std::string_view* word) {
    const std::size_t close = text_.find('"', position_ + 1);
    if (close == std::string_view::npos) {
      unclosed_ = true;
      position_ = text_.size();
      return false;
    }
    const std::size_t start = position_ + 1;
    position_ = close + 1;
    if (close == start) return false;
    *word = text_.substr(start, close - start);
    return true;
  }

  std::string_view text_;
  unsigned char blanks_;
  std::size_t position_ = 0;
  bool unclosed_ = false;
};

}  // namespace woxa
