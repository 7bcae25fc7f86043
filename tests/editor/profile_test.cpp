#include "editor/session/profile.h"

#include "editor/session/app_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fcw {
namespace {

Profile parsed(const std::string& text) {
    Profile p;
    p.parse(text);
    return p;
}

TEST(Profile, ParsesUtf8SectionsAndKeys) {
    const Profile p = parsed("[図形]\n緯線=12\n経線 = 7 \n[表示]\n明るさ=8000\n");
    EXPECT_EQ(p.getString("図形", "緯線"), "12");
    EXPECT_EQ(p.getString("図形", "経線"), "7");
    EXPECT_EQ(p.getString("表示", "明るさ"), "8000");
    // Keys belong to their own section only.
    EXPECT_EQ(p.getString("表示", "緯線"), std::nullopt);
    EXPECT_EQ(p.getString("図形", "明るさ"), std::nullopt);
}

TEST(Profile, CrLfAndByteOrderMark) {
    const Profile p = parsed("\xEF\xBB\xBF[a]\r\nk=5\r\nname=x y\r\n");
    EXPECT_EQ(p.getInt("a", "k", 0), 5u);
    EXPECT_EQ(p.getString("a", "name"), "x y");
    EXPECT_EQ(p.serialise(), "[a]\nk=5\nname=x y\n");

    // A file saved twice with a mark (found by fuzzing): every leading mark goes, so the
    // section is read the same way before and after a rewrite.
    const Profile twice = parsed("\xEF\xBB\xBF\xEF\xBB\xBF[a]\nk=5\n");
    EXPECT_EQ(twice.getInt("a", "k", 0), 5u);
    EXPECT_EQ(parsed(twice.serialise()).getInt("a", "k", 0), 5u);
    EXPECT_EQ(twice.serialise(), "[a]\nk=5\n");
}

TEST(Profile, NamesMatchIgnoringAsciiCaseOnly) {
    const Profile p = parsed("[TextFile]\nin=3\n[Ä]\nk=1\n");
    EXPECT_EQ(p.getString("textfile", "IN"), "3");
    EXPECT_EQ(p.getString("TEXTFILE", "In"), "3");
    EXPECT_EQ(p.getString("TextFile", "inn"), std::nullopt);
    // Letters outside ASCII are compared as they are.
    EXPECT_EQ(p.getString("ä", "k"), std::nullopt);
    EXPECT_EQ(p.getString("Ä", "K"), "1");
}

TEST(Profile, GetIntParsing) {
    const Profile p = parsed("[s]\n"
                             "abc=abc\n"
                             "blank=\n"
                             "sign=-\n"
                             "neg=  -5\n"
                             "plus=+7\n"
                             "tail=12xyz\n"
                             "big=4294967301\n"
                             "max=4294967295\n"
                             "minus1=-1\n");
    EXPECT_EQ(p.getInt("s", "missing", 99), 99u);
    EXPECT_EQ(p.getInt("s", "abc", 99), 99u);
    EXPECT_EQ(p.getInt("s", "blank", 99), 99u);
    EXPECT_EQ(p.getInt("s", "sign", 99), 99u);
    EXPECT_EQ(p.getInt("s", "neg", 99), static_cast<std::uint32_t>(-5));
    EXPECT_EQ(p.getInt("s", "plus", 99), 7u);
    EXPECT_EQ(p.getInt("s", "tail", 99), 12u);
    EXPECT_EQ(p.getInt("s", "big", 99), 5u);
    EXPECT_EQ(p.getInt("s", "max", 99), 0xFFFFFFFFu);
    EXPECT_EQ(p.getInt("s", "minus1", 99), 0xFFFFFFFFu);

    // A value stored with leading blanks (not trimmed by the parser) still reads.
    Profile q;
    q.setString("s", "k", "  -5");
    EXPECT_EQ(q.getInt("s", "k", 99), static_cast<std::uint32_t>(-5));
}

TEST(Profile, SetStringPlacement) {
    Profile p;
    p.setString("new", "k", "1");
    EXPECT_EQ(p.serialise(), "[new]\nk=1\n");

    p = parsed("[a]\nk=1\n; note\n\n[b]\nm=2\n");
    p.setString("a", "n", "3"); // after the section's last entry
    p.setString("a", "k", "9"); // replaces in place
    p.setString("c", "x", "y"); // new section at the end, after a blank line
    EXPECT_EQ(p.serialise(), "[a]\nk=9\nn=3\n; note\n\n[b]\nm=2\n\n[c]\nx=y\n");

    // A name differing only in case is the same entry.
    p.setString("A", "N", "4");
    EXPECT_EQ(p.getString("a", "n"), "4");
    EXPECT_EQ(p.serialise().find("n=3"), std::string::npos);

    p.remove("a", "k");
    EXPECT_EQ(p.getString("a", "k"), std::nullopt);
    EXPECT_EQ(p.getString("a", "n"), "4");
}

TEST(Profile, UnknownLinesSurviveRewrite) {
    const std::string text = "; settings\n"
                             "# hash comment\n"
                             "stray line\n"
                             "\n"
                             "[表示]\n"
                             "未知=abc\n"
                             "  indented = kept as written\n"
                             "[other]\n"
                             "x=1\n";
    Profile p = parsed(text);
    EXPECT_EQ(p.serialise(), text);
    EXPECT_EQ(p.getString("表示", "indented"), "kept as written");

    AppSettings settings;
    ViewOptions view;
    writeSettings(p, settings, view);
    const std::string out = p.serialise();
    for (const char* line : {"; settings\n", "# hash comment\n", "stray line\n", "未知=abc\n",
                             "  indented = kept as written\n", "[other]\nx=1\n"}) {
        EXPECT_NE(out.find(line), std::string::npos) << line;
    }
}

TEST(Profile, EmptyProfileGivesDefaults) {
    AppSettings s;
    s.sphereLongitudeLines = 1;
    s.sphereLatitudeLines = 2;
    s.angleStep = 3;
    s.importScale = 4;
    s.exportScale = 5;
    s.defaultTextFormat = 6;
    s.exportColour = 7;
    ViewOptions v;
    v.brightness = 0.1;
    v.statusVisible = 0;
    v.statusFixed = 0;
    v.emphasisMode = 0;
    v.depthNormalDisplay = 1;

    readSettings(Profile{}, s, v);
    EXPECT_EQ(s.sphereLongitudeLines, 10);
    EXPECT_EQ(s.sphereLatitudeLines, 10);
    EXPECT_DOUBLE_EQ(v.brightness, 0.8);
    EXPECT_EQ(s.angleStep, 45);
    EXPECT_EQ(v.statusVisible, 1);
    EXPECT_EQ(v.statusFixed, 1);
    EXPECT_EQ(v.emphasisMode, 2);
    EXPECT_EQ(v.depthNormalDisplay, 0);
    EXPECT_DOUBLE_EQ(s.importScale, 1.0);
    EXPECT_DOUBLE_EQ(s.exportScale, 1.0);
    EXPECT_EQ(s.defaultTextFormat, 0);
    EXPECT_EQ(s.exportColour, 1);
}

TEST(Profile, SettingsWriteAndReadBack) {
    AppSettings s;
    s.sphereLongitudeLines = 7;
    s.sphereLatitudeLines = -3;
    s.angleStep = 15;
    s.importScale = 2.5;
    s.exportScale = 0.25;
    s.defaultTextFormat = 2;
    s.exportColour = 0;
    ViewOptions v;
    v.brightness = 0.12345;
    v.statusVisible = 0;
    v.statusFixed = 0;
    v.emphasisMode = 3;

    Profile p;
    writeSettings(p, s, v);
    // The meridian count is kept under 緯線, the latitude count under 経線.
    EXPECT_EQ(p.getString("図形", "緯線"), "7");
    EXPECT_EQ(p.getString("図形", "経線"), "-3");
    EXPECT_EQ(p.getString("表示", "明るさ"), "1234");
    EXPECT_EQ(p.getString("操作", "角度"), "15");
    EXPECT_EQ(p.getString("テキストファイル", "in"), "25000");
    EXPECT_EQ(p.getString("テキストファイル", "out"), "2500");
    EXPECT_EQ(p.getString("テキストファイル", "kind"), "2");

    AppSettings r;
    ViewOptions rv;
    readSettings(parsed(p.serialise()), r, rv);
    EXPECT_EQ(r.sphereLongitudeLines, 7);
    EXPECT_EQ(r.sphereLatitudeLines, -3);
    EXPECT_EQ(r.angleStep, 15);
    EXPECT_DOUBLE_EQ(r.importScale, 2.5);
    EXPECT_DOUBLE_EQ(r.exportScale, 0.25);
    EXPECT_EQ(r.defaultTextFormat, 2);
    EXPECT_EQ(r.exportColour, 0);
    EXPECT_DOUBLE_EQ(rv.brightness, 0.1234);
    EXPECT_EQ(rv.statusVisible, 0);
    EXPECT_EQ(rv.statusFixed, 0);
    EXPECT_EQ(rv.emphasisMode, 3);
}

TEST(Profile, SaveCreatesFoldersAndLoadOfMissingFileIsEmpty) {
    char pattern[] = "/tmp/fcw_profile_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string dir = pattern;
    const std::string file = dir + "/a/b/c/settings.ini";

    Profile p = parsed("; top\n[図形]\n緯線=12\n");
    ASSERT_TRUE(p.save(file));
    Profile loaded;
    ASSERT_TRUE(loaded.load(file));
    EXPECT_EQ(loaded.serialise(), "; top\n[図形]\n緯線=12\n");

    ASSERT_TRUE(loaded.load(dir + "/none/settings.ini"));
    EXPECT_EQ(loaded.serialise(), "");
    EXPECT_EQ(loaded.getString("図形", "緯線"), std::nullopt);

    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

// Found by fuzzing the profile: decimal settings from 214748.3648 up (the reader takes the
// stored number's 32 bits as unsigned) came back from a write-back as other values.
TEST(Profile, EveryReadableDecimalSurvivesAWriteBack) {
    const Profile found = parsed("[図形]\r\n緯線 = -3\r\n経線=+200\r\n[操作]\n角度=99999999999\n"
                                 "[テキストファイル]\nIN=4294967295\nkind=7\n[unknown]\nx\n=y\n");
    AppSettings s;
    ViewOptions v;
    readSettings(found, s, v);
    EXPECT_DOUBLE_EQ(s.importScale, 429496.7295);

    for (const char* stored : {"0", "1", "2147483647", "2147483648", "3000000001", "4294967295"}) {
        Profile p = parsed(std::string("[表示]\n明るさ=") + stored +
                           "\n[テキストファイル]\nin=" + stored + "\nout=" + stored + "\n");
        readSettings(p, s, v);
        writeSettings(p, s, v);
        AppSettings back;
        ViewOptions backView;
        readSettings(parsed(p.serialise()), back, backView);
        EXPECT_EQ(back.importScale, s.importScale) << stored;
        EXPECT_EQ(back.exportScale, s.exportScale) << stored;
        EXPECT_EQ(backView.brightness, v.brightness) << stored;
    }
}

// The ×10000 truncation applies to the decimal value: every value of up to four decimals, as
// typed (k / 10000) or as read back (k × 0.0001), is stored as exactly k units, while a fifth
// decimal is still dropped toward zero.
TEST(Profile, DecimalSettingsKeepFourDecimalsExactly) {
    EXPECT_EQ(settingUnits(0.57), 5700); // 0.57 is held as 0.56999...
    EXPECT_EQ(settingUnits(0.0003), 3);
    EXPECT_EQ(settingUnits(-0.57), -5700);
    EXPECT_EQ(settingUnits(0.12345), 1234);
    EXPECT_EQ(settingUnits(0.99999), 9999);
    EXPECT_EQ(settingUnits(-0.00019), -1);
    EXPECT_EQ(settingUnits(10000.0), 100000000);
    EXPECT_EQ(settingUnits(429496.7295), -1); // the 32 bits of 4294967295
    for (std::int32_t k = -20000; k <= 200000; ++k) {
        ASSERT_EQ(settingUnits(k / 10000.0), k) << k;
        ASSERT_EQ(settingUnits(k * 0.0001), k) << k;
    }

    AppSettings s;
    ViewOptions v;
    v.brightness = 0.57;
    s.importScale = 0.0003;
    Profile p;
    writeSettings(p, s, v);
    EXPECT_EQ(p.getString("表示", "明るさ"), "5700");
    EXPECT_EQ(p.getString("テキストファイル", "in"), "3");
}

// A value with a line break would end its entry and turn the rest into sections and entries of
// their own; it is not stored, and an entry already there keeps its value.
TEST(Profile, ValuesWithLineBreaksAreNotStored) {
    Profile p = parsed("[Recent File List]\nFile1=/a.fcw\n");
    const std::string before = p.serialise();
    for (const char* bad : {"/x\n[テキストファイル]\nout=50000", "/x\r", "\n", "/x\r\ny=1"}) {
        EXPECT_FALSE(p.setString("Recent File List", "File1", bad));
        EXPECT_FALSE(p.setString("Recent File List", "File2", bad));
        EXPECT_FALSE(p.setString("テキストファイル", "out", bad));
        EXPECT_FALSE(Profile::holdsAsValue(bad));
    }
    EXPECT_EQ(p.serialise(), before);
    EXPECT_TRUE(p.setString("Recent File List", "File2", "/b c.fcw"));
    EXPECT_TRUE(Profile::holdsAsValue("/b c=d;e[f].fcw"));
    EXPECT_FALSE(Profile::holdsAsValue(" /lead.fcw"));
    EXPECT_FALSE(Profile::holdsAsValue("/trail.fcw\t"));
}

// A profile over the size limit (a few megabytes of blank lines) is refused rather than held
// line by line; the loaded profile stays as it was and start-up keeps the defaults.
TEST(Profile, OversizeFileIsRefused) {
    char pattern[] = "/tmp/fcw_profile_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string dir = pattern;
    const std::string file = dir + "/settings.ini";
    const std::string head = "[表示]\n強調=3\n";
    std::string text = head + std::string(Profile::kMaxBytes - head.size(), '\n');
    ASSERT_TRUE(writeFileAtomically(
        file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));
    Profile p;
    ASSERT_TRUE(p.load(file)); // exactly at the limit
    EXPECT_EQ(p.getInt("表示", "強調", 0), 3u);

    text += std::string(5'000'000, '\n');
    ASSERT_TRUE(writeFileAtomically(
        file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));
    EXPECT_EQ(p.load(file).error, FileError::TooLarge);
    EXPECT_EQ(p.getInt("表示", "強調", 0), 3u);
    EXPECT_EQ(Profile().load("/dev/zero").error, FileError::AccessDenied);

    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

} // namespace
} // namespace fcw
