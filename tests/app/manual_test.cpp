// The user manual (docs/manual, opened by Help Topics) stays in step with the program: every
// macro command keyword is documented, every internal link and anchor resolves, and nothing
// points outside the folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "macro/keywords.h"

namespace orvel {
namespace {

namespace fs = std::filesystem;

const fs::path kManualDir = fs::path(ORVEL_SOURCE_DIR) / "docs" / "manual";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every page of the manual by file name.
std::map<std::string, std::string> Pages() {
  std::map<std::string, std::string> pages;
  for (const auto& entry : fs::directory_iterator(kManualDir))
    if (entry.path().extension() == ".html") pages[entry.path().filename().string()] = ReadAll(entry.path());
  return pages;
}

std::set<std::string> Ids(const std::string& html) {
  static const std::regex kId(R"re(\bid="([^"]*)")re");
  std::set<std::string> ids;
  for (std::sregex_iterator it(html.begin(), html.end(), kId), end; it != end; ++it) ids.insert((*it)[1]);
  return ids;
}

TEST(ManualTest, HasTheEntryPageAndItsStyleSheet) {
  ASSERT_TRUE(fs::is_regular_file(kManualDir / "index.html")) << kManualDir;
  EXPECT_TRUE(fs::is_regular_file(kManualDir / "style.css"));
}

TEST(ManualTest, DocumentsEveryMacroCommandKeyword) {
  std::string all;
  for (const auto& [name, html] : Pages()) all += html;
  for (std::string_view keyword : MacroCommandKeywords()) {
    // As code, so that a one-letter keyword such as "f" is not found inside other words.
    const std::string code = "<code>" + std::string(keyword) + "</code>";
    EXPECT_NE(all.find(code), std::string::npos) << "keyword not in the manual: " << keyword;
  }
}

TEST(ManualTest, EveryInternalLinkResolves) {
  const auto pages = Pages();
  ASSERT_FALSE(pages.empty());
  std::map<std::string, std::set<std::string>> ids;
  for (const auto& [name, html] : pages) ids[name] = Ids(html);
  static const std::regex kHref(R"re(\b(?:href|src)="([^"]*)")re");
  int links = 0;
  for (const auto& [name, html] : pages) {
    for (std::sregex_iterator it(html.begin(), html.end(), kHref), end; it != end; ++it) {
      const std::string target = (*it)[1];
      ++links;
      const auto hash = target.find('#');
      const std::string file = target.substr(0, hash);
      const std::string anchor = hash == std::string::npos ? "" : target.substr(hash + 1);
      const std::string page = file.empty() ? name : file;
      EXPECT_EQ(file.find('/'), std::string::npos) << name << ": link leaves the folder: " << target;
      EXPECT_TRUE(fs::is_regular_file(kManualDir / page)) << name << ": no file for " << target;
      if (!anchor.empty()) {
        const auto found = ids.find(page);
        EXPECT_TRUE(found != ids.end() && found->second.count(anchor) == 1)
            << name << ": no anchor for " << target;
      }
    }
  }
  EXPECT_GT(links, 100);
}

TEST(ManualTest, AnchorsAreUniqueWithinAPage) {
  static const std::regex kId(R"re(\bid="([^"]*)")re");
  for (const auto& [name, html] : Pages()) {
    std::multiset<std::string> seen;
    for (std::sregex_iterator it(html.begin(), html.end(), kId), end; it != end; ++it) seen.insert((*it)[1]);
    for (const std::string& id : seen) EXPECT_EQ(seen.count(id), 1U) << name << ": id given twice: " << id;
  }
}

TEST(ManualTest, NothingPointsToTheInternet) {
  std::string css = ReadAll(kManualDir / "style.css");
  std::transform(css.begin(), css.end(), css.begin(), [](unsigned char c) { return std::tolower(c); });
  EXPECT_EQ(css.find("url("), std::string::npos) << "style.css loads something";
  for (auto [name, html] : Pages()) {
    std::transform(html.begin(), html.end(), html.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_EQ(html.find("http://"), std::string::npos) << name;
    EXPECT_EQ(html.find("https://"), std::string::npos) << name;
    EXPECT_EQ(html.find("mailto:"), std::string::npos) << name;
    EXPECT_EQ(html.find("<script"), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace orvel
