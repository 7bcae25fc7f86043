#include "editor/session/default_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace fcw {
namespace {

// Sets an environment variable for the life of the object, then puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DefaultPaths, TheWorkFileLivesBesideAWritableProgramOrInTheUserDataFolder) {
    char pattern[] = "/tmp/fcw-paths-XXXXXX";
    const std::filesystem::path dir = ::mkdtemp(pattern);
    const std::string program = (dir / "bin").string() + "/";
    std::filesystem::create_directories(program);
    EXPECT_EQ(defaultWorkFilePath(program), program + "FacetCraftwerkTemp.tmp");

    // A folder the program cannot write to (here: one that is not there at all).
    const ScopedEnv data("XDG_DATA_HOME", (dir / "data").c_str());
    EXPECT_EQ(defaultWorkFilePath("/nonexistent-fcw-folder/"),
              (dir / "data" / "FacetCraftwerk" / "FacetCraftwerkTemp.tmp").string());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "data" / "FacetCraftwerk"));

    // A relative XDG_DATA_HOME is ignored, as the base directory rule says: ~/.local/share.
    const ScopedEnv relative("XDG_DATA_HOME", "relative/data");
    const ScopedEnv home("HOME", (dir / "home").c_str());
    EXPECT_EQ(defaultWorkFilePath("/nonexistent-fcw-folder/"),
              (dir / "home" / ".local/share/FacetCraftwerk/FacetCraftwerkTemp.tmp").string());
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace fcw
