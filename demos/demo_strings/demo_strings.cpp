// demo_strings: takes a sample path apart and splits a line with quoted groups into words.
// Run it in a console; it reads nothing and prints fourteen lines.
#include <iostream>
#include <string>
#include <vector>

#include "woxa/framework/library.h"
#include "woxa/util/utility.h"

namespace {

void ShowPath(const woxa::Utility& utility) {
  // The directory begins with the extension's letters, so both change.
  const std::string orig = "C:/txtdocs/readme.txt";
  const std::string path = utility.GetPath(orig);
  const std::string filename = utility.GetFileName(orig);
  const std::string ext = utility.GetExtension(orig);
  std::string replaced = orig;
  utility.ReplaceAll(replaced, "txt", "md");
  std::cout << "orig[" << orig << "],\npath[" << path << "],\nfilename[" << filename << "],\n";
  std::cout << "ext[" << ext << "],\n" << "replace[" << replaced << "]" << std::endl;

  std::vector<std::string> parts;
  utility.SplitPath(parts, orig);
  std::cout << "parse";
  for (const std::string& part : parts) std::cout << "[" << part << "]";
  std::cout << "\n" << std::endl;
}

void ShowWords(const woxa::Utility& utility) {
  const std::string text = "   aiueo       kakikukeko\"sasisuseso\"tatituteto\"naninuneno\" hahihuheho";
  std::vector<std::string> words;
  utility.Tokenize(words, text);
  std::cout << "[" << text << "]";
  for (const std::string& word : words) std::cout << "[" << word << "]\n";
  std::cout << std::endl;
}

}  // namespace

int main() {
  woxa::LibraryStartupAll();
  const woxa::Utility& utility = *woxa::Utility::Instance();
  ShowPath(utility);
  ShowWords(utility);
  woxa::LibraryShutdown();
  return 0;
}
