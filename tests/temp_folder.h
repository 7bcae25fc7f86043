#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fcw::testing {

// A fresh folder under /tmp for one test, removed with everything in it when the test ends.
class TempFolder {
  public:
    explicit TempFolder(const char* prefix = "fcw") {
        std::string pattern = std::string("/tmp/") + prefix + "-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot make a folder from " << pattern;
            return;
        }
        dir_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& dir() const { return dir_; }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }

  private:
    std::string dir_;
};

} // namespace fcw::testing
