// String and path operations (global service 0). The operations keep no
// state: each works only on its arguments. Strings are byte strings; paths
// are never looked up in the file system, and both "/" and "\" separate
// their parts, in any mix.
#pragma once

#include <string>
#include <vector>

#include "woxa/framework/singleton.h"

namespace woxa {

class Utility : public Singleton<Utility> {
 public:
  Utility() = default;
  ~Utility() override = default;

  // Empties words, then appends the words of text: runs of characters
  // between whitespace (space, \t, \v, \n, \r, \f). A double-quoted group is
  // one word, whitespace and all, without its quotes; an empty group gives no
  // word, and a quote ends the word it touches. There is no escape.
  // Returns false when a quote is never closed; words then keeps the words
  // found before it.
  bool Tokenize(std::vector<std::string>& words, const std::string& text) const;

  // Replaces every occurrence of from by to, left to right without overlap;
  // the search resumes after the inserted text. An empty from matches
  // nothing, so text is returned unchanged. Returns text.
  std::string& ReplaceAll(std::string& text, const std::string& from, const std::string& to) const;

  // The directory part, up to and including the last separator. The first
  // character is never taken as a separator by this and the next two, so
  // GetPath(p) + GetFileName(p) == p for every p.
  std::string GetPath(const std::string& path) const;
  // What follows the last separator (empty when the path ends with one).
  std::string GetFileName(const std::string& path) const;
  // What follows the last dot of the file name, without the dot and in its
  // own letter case. Empty when there is none, when the dot is the path's
  // last character (a name ending in a dot) or its first (".x"), and when
  // the path ends with a separator (the file name is empty).
  std::string GetExtension(const std::string& path) const;
  // Empties parts, then appends the parts of path in order: every part but
  // the last keeps its trailing separator; repeated separators give no empty
  // parts and a separator at the very start is dropped.
  void SplitPath(std::vector<std::string>& parts, const std::string& path) const;
};

}  // namespace woxa
