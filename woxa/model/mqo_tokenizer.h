// MqoTokenizer: the words of one line of an MQO file, found without copying.
// The words are exactly those of Utility::Tokenize: runs of characters
// between whitespace (space, \t, \v, \n, \r, \f); a double-quoted group is
// one word, whitespace and all, without its quotes; an empty group gives no
// word; a quote ends the word it touches; a quote that is never closed ends
// the line, keeping the words found before it. Words are views into the
// text, which must outlive them.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace woxa {

class MqoTokenizer {
 public:
  explicit MqoTokenizer(std::string_view text) : text_(text) {}

  // The next word; false when there is none left.
  bool Next(std::string_view* word) {
    while (position_ < text_.size()) {
      const char c = text_[position_];
      if (IsWhitespace(c)) {
        ++position_;
      } else if (c == '"') {
        if (!NextQuoted(word)) continue;
        return true;
      } else {
        const std::size_t start = position_;
        while (position_ < text_.size() && !IsWhitespace(text_[position_]) && text_[position_] != '"') ++position_;
        *word = text_.substr(start, position_ - start);
        return true;
      }
    }
    return false;
  }

  // Replaces words with all words of text. False when a quote is never
  // closed, as Utility::Tokenize reports it.
  static bool Split(std::string_view text, std::vector<std::string_view>* words) {
    words->clear();
    MqoTokenizer tokenizer(text);
    std::string_view word;
    while (tokenizer.Next(&word)) words->push_back(word);
    return !tokenizer.unclosed_;
  }

  static bool IsWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\n' || c == '\r' || c == '\f';
  }

 private:
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
  std::size_t position_ = 0;
  bool unclosed_ = false;
};

}  // namespace woxa
