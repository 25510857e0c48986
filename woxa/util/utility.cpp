#include "woxa/util/utility.h"

namespace woxa {
namespace {

bool IsWhitespace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\n' || c == '\r' || c == '\f'; }

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

void AppendWord(std::vector<std::string>& words, const std::string& text, std::size_t begin, std::size_t end) {
  if (begin < end) words.push_back(text.substr(begin, end - begin));
}

}  // namespace

bool Utility::Tokenize(std::vector<std::string>& words, const std::string& text) const {
  words.clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsWhitespace(text[i])) {
      AppendWord(words, text, start, i);
      start = i + 1;
    } else if (text[i] == '"') {
      AppendWord(words, text, start, i);
      const std::size_t close = text.find('"', i + 1);  // npos also for a quote at the very end
      if (close == std::string::npos) return false;
      AppendWord(words, text, i + 1, close);
      start = close + 1;
      i = close;
    }
  }
  AppendWord(words, text, start, text.size());
  return true;
}

std::string& Utility::ReplaceAll(std::string& text, const std::string& from, const std::string& to) const {
  // An empty pattern would be found at every position, forever.
  if (from.empty()) return text;
  std::size_t position = 0;
  while ((position = text.find(from, position)) != std::string::npos) {
    text.replace(position, from.size(), to);
    position += to.size();
  }
  return text;
}

std::string Utility::GetPath(const std::string& path) const {
  for (std::size_t i = path.size(); i-- > 1;) {
    if (IsSeparator(path[i])) return path.substr(0, i + 1);
  }
  return std::string();
}

std::string Utility::GetFileName(const std::string& path) const {
  for (std::size_t i = path.size(); i-- > 1;) {
    if (IsSeparator(path[i])) return path.substr(i + 1);
  }
  return path;
}

std::string Utility::GetExtension(const std::string& path) const {
  // The scan below never looks at the last character, which must not be a
  // separator either: "dir.x/" names a directory and has no extension.
  if (path.size() <= 2 || IsSeparator(path.back())) return std::string();
  for (std::size_t i = path.size() - 1; i-- > 1;) {
    if (path[i] == '.') return path.substr(i + 1);
    if (IsSeparator(path[i])) break;
  }
  return std::string();
}

void Utility::SplitPath(std::vector<std::string>& parts, const std::string& path) const {
  parts.clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (!IsSeparator(path[i])) continue;
    if (start != i) parts.push_back(path.substr(start, i + 1 - start));
    start = i + 1;
  }
  if (start != path.size()) parts.push_back(path.substr(start));
}

}  // namespace woxa
