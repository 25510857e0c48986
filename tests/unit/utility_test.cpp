#include "woxa/util/utility.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace woxa {
namespace {

using Words = std::vector<std::string>;

struct TokenizeCase {
  const char* label;
  std::string text;
  bool closed;
  Words words;
};

TEST(UtilityTokenize, SplitsAtWhitespaceAndQuotedGroups) {
  const TokenizeCase cases[] = {
      {"sample line", "   aiueo       kakikukeko\"sasisuseso\"tatituteto\"naninuneno\" hahihuheho", true,
       {"aiueo", "kakikukeko", "sasisuseso", "tatituteto", "naninuneno", "hahihuheho"}},
      {"quoted group keeps its blank", "a \"b c\" d", true, {"a", "b c", "d"}},
      {"empty text", "", true, {}},
      {"blanks only", "    ", true, {}},
      {"empty group", "\"\"", true, {}},
      {"empty group between words", "a\"\"b", true, {"a", "b"}},
      {"every whitespace character", "a b\tc\vd\ne\rf\fg", true, {"a", "b", "c", "d", "e", "f", "g"}},
      {"line end of a read line", "Object \"obj1\" {\r\n", true, {"Object", "obj1", "{"}},
      {"quote touching words on both sides", "x\"y z\"w", true, {"x", "y z", "w"}},
      {"quoted whitespace kept as is", "\" \t \"", true, {" \t "}},
      {"lone quote", "\"", false, {}},
      {"unclosed quote in the middle", "ab\"cd", false, {"ab"}},
      {"unclosed quote at the end", "ab cd\"", false, {"ab", "cd"}},
      {"unclosed after a closed group", "a \"b\" c \"d e", false, {"a", "b", "c"}},
  };
  Utility utility;
  for (const TokenizeCase& c : cases) {
    Words words{"stale"};
    EXPECT_EQ(utility.Tokenize(words, c.text), c.closed) << c.label;
    EXPECT_EQ(words, c.words) << c.label;
  }
}

TEST(UtilityTokenize, SampleLineIsSeventyCharactersAndGivesWordsWithoutQuotesOrBlanks) {
  const std::string text = "   aiueo       kakikukeko\"sasisuseso\"tatituteto\"naninuneno\" hahihuheho";
  ASSERT_EQ(text.size(), 70u);
  Words words;
  Utility().Tokenize(words, text);
  for (const std::string& word : words) {
    EXPECT_FALSE(word.empty());
    EXPECT_EQ(word.find_first_of("\" "), std::string::npos) << word;
  }
}

struct ReplaceCase {
  const char* label;
  std::string text;
  std::string from;
  std::string to;
  std::string expected;
};

TEST(UtilityReplaceAll, ReplacesLeftToRightWithoutOverlap) {
  const ReplaceCase cases[] = {
      {"directory and extension", "C:/txtdocs/readme.txt", "txt", "md", "C:/mddocs/readme.md"},
      {"shrinking overlap", "aaaa", "aa", "a", "aa"},
      {"overlapping occurrences", "aaa", "aa", "b", "ba"},
      {"replacement contains the pattern", "a-a", "a", "aa", "aa-aa"},
      {"match at start", "abxyz", "ab", "Q", "Qxyz"},
      {"match at end", "xyzab", "ab", "Q", "xyzQ"},
      {"whole text", "ab", "ab", "Q", "Q"},
      {"replaced by nothing", "(1 2)", "(", "", "1 2)"},
      {"pattern absent", "hello", "xyz", "Q", "hello"},
      {"empty text", "", "ab", "Q", ""},
      {"empty pattern", "abc", "", "Q", "abc"},
      {"empty pattern and empty text", "", "", "Q", ""},
      {"empty pattern and empty replacement", "abc", "", "", "abc"},
  };
  Utility utility;
  for (const ReplaceCase& c : cases) {
    std::string text = c.text;
    std::string& result = utility.ReplaceAll(text, c.from, c.to);
    EXPECT_EQ(&result, &text) << c.label;
    EXPECT_EQ(text, c.expected) << c.label;
  }
}

struct PathCase {
  std::string path;
  std::string directory;
  std::string file_name;
  std::string extension;
  Words parts;
};

TEST(UtilityPath, TakesPathsApart) {
  const PathCase cases[] = {
      {"X:/dir/name.ext", "X:/dir/", "name.ext", "ext", {"X:/", "dir/", "name.ext"}},
      {"", "", "", "", {}},
      {"a", "", "a", "", {"a"}},
      {"/a", "", "/a", "", {"a"}},
      {"a/", "a/", "", "", {"a/"}},
      {"a.b", "", "a.b", "b", {"a.b"}},
      {"a.", "", "a.", "", {"a."}},
      {".x", "", ".x", "", {".x"}},
      {"dir.x/file", "dir.x/", "file", "", {"dir.x/", "file"}},
      {"x\\y.z", "x\\", "y.z", "z", {"x\\", "y.z"}},
      {"a//b", "a//", "b", "", {"a/", "b"}},
      {"C:\\data/models\\ship.MQO", "C:\\data/models\\", "ship.MQO", "MQO", {"C:\\", "data/", "models\\", "ship.MQO"}},
      {"a/b\\c/d", "a/b\\c/", "d", "", {"a/", "b\\", "c/", "d"}},
      {"dir/.hidden", "dir/", ".hidden", "hidden", {"dir/", ".hidden"}},
      {"archive.tar.gz", "", "archive.tar.gz", "gz", {"archive.tar.gz"}},
      {"/", "", "/", "", {}},
      {"dir.x/", "dir.x/", "", "", {"dir.x/"}},
      {"a.\\", "a.\\", "", "", {"a.\\"}},
      {"\\\\server\\share\\f.t", "\\\\server\\share\\", "f.t", "t", {"server\\", "share\\", "f.t"}},
  };
  Utility utility;
  for (const PathCase& c : cases) {
    EXPECT_EQ(utility.GetPath(c.path), c.directory) << c.path;
    EXPECT_EQ(utility.GetFileName(c.path), c.file_name) << c.path;
    EXPECT_EQ(utility.GetExtension(c.path), c.extension) << c.path;
    Words parts{"stale"};
    utility.SplitPath(parts, c.path);
    EXPECT_EQ(parts, c.parts) << c.path;
  }
}

// Every string of up to six characters over a small alphabet that holds
// both separators and a dot.
std::vector<std::string> AllShortPaths() {
  const std::string alphabet = "a./\\";
  std::vector<std::string> paths{""};
  for (std::size_t begin = 0, length = 0; length < 6; ++length) {
    const std::size_t end = paths.size();
    for (std::size_t i = begin; i < end; ++i) {
      for (char c : alphabet) paths.push_back(paths[i] + c);
    }
    begin = end;
  }
  return paths;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

TEST(UtilityPath, DirectoryAndFileNameJoinBackIntoThePath) {
  Utility utility;
  for (const std::string& path : AllShortPaths()) {
    ASSERT_EQ(utility.GetPath(path) + utility.GetFileName(path), path) << path;
  }
}

TEST(UtilityPath, PartsKeepEverySeparatorThatEndsANameAndNothingElse) {
  Utility utility;
  for (const std::string& path : AllShortPaths()) {
    std::string kept;
    for (std::size_t i = 0; i < path.size(); ++i) {
      if (!IsSeparator(path[i]) || (i > 0 && !IsSeparator(path[i - 1]))) kept += path[i];
    }
    Words parts;
    utility.SplitPath(parts, path);
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      ASSERT_FALSE(parts[i].empty()) << path;
      if (i + 1 < parts.size()) {
        ASSERT_TRUE(IsSeparator(parts[i].back())) << path;
      }
      joined += parts[i];
    }
    ASSERT_EQ(joined, kept) << path;
  }
}

TEST(UtilityPath, ExtensionIsTheTailOfTheFileName) {
  Utility utility;
  for (const std::string& path : AllShortPaths()) {
    const std::string name = utility.GetFileName(path);
    const std::string extension = utility.GetExtension(path);
    if (extension.empty()) continue;
    ASSERT_GE(name.size(), extension.size() + 1) << path;
    ASSERT_EQ(name.substr(name.size() - extension.size() - 1), "." + extension) << path;
  }
}

}  // namespace
}  // namespace woxa
