// A fresh directory under the system temp dir, removed with everything in it at scope end.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

class TempDir {
 public:
  TempDir() {
    // A name nobody has taken: creating the directory is what claims it.
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const auto dir = std::filesystem::temp_directory_path() / ("zelmaro-test-" + std::to_string(random()));
      std::error_code ec;
      if (!std::filesystem::create_directory(dir, ec)) continue;
      std::filesystem::permissions(dir, std::filesystem::perms::owner_all, ec);  // the user's alone
      path_ = dir.string();
    }
    if (path_.empty()) ADD_FAILURE() << "no temporary directory could be made";
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes (replaces) a file in the directory and returns its path.
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(File(name), std::ios::binary | std::ios::trunc) << text;
    return File(name);
  }

 private:
  std::string path_;
};

// The whole text of a file ("" when it cannot be read).
inline std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string TestData(const std::string& name) {
  return std::string(ZELMARO_TEST_DATA) + "/" + name;
}
