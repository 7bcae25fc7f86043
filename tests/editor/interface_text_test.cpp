#include "editor/interface_text.h"
#include "editor/session/app_settings.h"
#include "editor/session/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fcw {
namespace {

TEST(FillIn, PutsEachArgumentInOnceAndLeavesWhatItCannotFill) {
    EXPECT_EQ(fillIn("%1 から %2 まで", {"-1", "1"}), "-1 から 1 まで");
    // An argument that holds a placeholder is not filled in again, and its order is the
    // pattern's (a translation may put %2 first).
    EXPECT_EQ(fillIn("%2 then %1", {"a%2", "b"}), "b then a%2");
    EXPECT_EQ(fillIn("%1 and %3, 100%", {"x"}), "x and %3, 100%");
}

TEST(LanguageChoice, OnlyJaAndEnNameALanguage) {
    EXPECT_EQ(parseLanguageName("en"), InterfaceLanguage::English);
    EXPECT_EQ(parseLanguageName("ja"), InterfaceLanguage::Japanese);
    for (const char* bad : {"", "EN", "en_US", "fr", "english"}) {
        EXPECT_FALSE(parseLanguageName(bad)) << bad;
    }
}

TEST(LanguageChoice, TheProfileEntryIsReadSafelyAndTheCommandLineWins) {
    const auto dir = std::filesystem::temp_directory_path() / "fcw-language-test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "FacetCraftwerk.ini").string();
    auto startWith = [&](const char* text) {
        std::ofstream(path) << text;
        return startupLanguage(std::nullopt, path);
    };
    EXPECT_EQ(startWith(""), InterfaceLanguage::Japanese);
    EXPECT_EQ(startWith("[Language]\ninterface=en\n"), InterfaceLanguage::English);
    // Entries that name no language are ignored: the interface stays Japanese.
    for (const char* bad : {"[Language]\ninterface=fr\n", "[Language]\ninterface=\n",
                            "[Language]\ninterface=1\n", "[表示]\ninterface=en\n"}) {
        EXPECT_EQ(startWith(bad), InterfaceLanguage::Japanese) << bad;
    }
    std::ofstream(path) << "[Language]\ninterface=en\n";
    EXPECT_EQ(startupLanguage(InterfaceLanguage::Japanese, path), InterfaceLanguage::Japanese);
    EXPECT_EQ(startupLanguage(std::nullopt, (dir / "missing.ini").string()),
              InterfaceLanguage::Japanese);
    std::filesystem::remove_all(dir);
}

TEST(LanguageChoice, JapaneseAddsNoEntryToAProfileWithoutOne) {
    Profile profile;
    profile.parse("[表示]\n明るさ=8000\n");
    writeLanguageChoice(profile, InterfaceLanguage::Japanese);
    EXPECT_EQ(profile.serialise(), "[表示]\n明るさ=8000\n");
    writeLanguageChoice(profile, InterfaceLanguage::English);
    EXPECT_EQ(readLanguageChoice(profile), InterfaceLanguage::English);
    writeLanguageChoice(profile, InterfaceLanguage::Japanese); // back: the entry says so
    EXPECT_EQ(profile.getString("Language", "interface"), "ja");
}

} // namespace
} // namespace fcw
