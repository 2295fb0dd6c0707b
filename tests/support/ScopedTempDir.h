#pragma once

// A fresh folder of a test's own under TMPDIR (or /tmp), removed with
// everything in it when the object goes. Tests that write files put them
// here, so that runs of other users and other checkouts never meet.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace testsupport {

class ScopedTempDir {
  public:
    ScopedTempDir() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/instruments-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScopedTempDir() {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;

    // Empty when no folder could be made.
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

}  // namespace testsupport
