#pragma once
// A fresh directory under the system's temporary folder, removed with everything in it.
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace corvax::testing {

class TempDir {
 public:
  TempDir() {
    std::random_device seed;
    std::mt19937 random(seed());
    const auto base = std::filesystem::temp_directory_path();
    // A name nobody holds yet: create_directory reports whether this call made it.
    for (;;) {
      path_ = base / ("corvax-" + std::to_string(random() % 1000000000u));
      std::error_code error;
      if (std::filesystem::create_directory(path_, error)) break;
      if (error) throw std::filesystem::filesystem_error("cannot make a test folder", path_, error);
    }
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace corvax::testing
