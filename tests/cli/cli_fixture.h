#pragma once
// A temporary directory for one test, and a random document saved in it as a project file.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "document/sprite_document.h"
#include "exchange/project_document.h"
#include "support/random_fill.h"

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::string AsText(std::span<const std::uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }
inline std::vector<std::uint8_t> AsBytes(const std::string& text) { return {text.begin(), text.end()}; }

// Every pixel of every frame random, hidden ones included, so that an override that lets in
// the wrong pixels shows.
inline std::unique_ptr<TSpriteDocument> RandomDocument(const TDocumentSettings& settings, std::uint32_t seed) {
  auto document = std::make_unique<TSpriteDocument>();
  FillRandom(document->Store, seed);
  document->Settings = settings;
  return document;
}

class TCliFixture : public ::testing::Test {
 public:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "deduzu-cli-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Dir = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }

  std::string Path(const std::string& name) const { return (Dir / name).string(); }

  // The document saved as a project file; returns its path.
  std::string SaveProject(const TSpriteDocument& document, const std::string& name = "ship.sprite") const {
    WriteBytes(Path(name), BuildDocumentFile(document));
    return Path(name);
  }

  // The names in the directory, to see that nothing but the expected files is left.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path Dir;
};
