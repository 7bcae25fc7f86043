#include "io/three_mf_package.h"

#include "io/atomic_file.h"
#include "io/three_mf.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fcw {
namespace {

std::vector<std::uint8_t> fixture() {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(readWholeFile(FCW_TEST_DATA_DIR "/three_mf_features.3mf", bytes));
    return bytes;
}

TEST(ThreeMfPackage, ClassicRewriteKeepsEveryPartAndReadsTheSame) {
    const auto zip = fixture();
    const auto entries = zipEntries(zip);
    ASSERT_TRUE(entries);
    std::vector<std::string> names;
    for (const auto& e : *entries)
        names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"[Content_Types].xml", "_rels/", "_rels/.rels",
                                               "3D/", "3D/3dmodel.model"}));
    EXPECT_EQ(entries->back().size,
              std::filesystem::file_size(FCW_TEST_DATA_DIR "/three_mf_features/3D/3dmodel.model"));

    const auto classic = classicZip(zip);
    ASSERT_TRUE(classic);
    const auto again = zipEntries(*classic);
    ASSERT_TRUE(again);
    ASSERT_EQ(again->size(), entries->size());
    for (std::size_t i = 0; i < entries->size(); ++i) {
        EXPECT_EQ((*again)[i].name, (*entries)[i].name);
        EXPECT_EQ((*again)[i].crc, (*entries)[i].crc);
        EXPECT_EQ((*again)[i].size, (*entries)[i].size);
        EXPECT_EQ((*again)[i].compressedSize, (*entries)[i].compressedSize);
    }
    EXPECT_EQ(zipUnpackedSize(*classic), zipUnpackedSize(zip));

    char folder[] = "/tmp/fcw_three_mf_package_XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/classic.3mf";
    ASSERT_TRUE(writeFileAtomically(path, *classic));
    const ThreeMfRead original = readThreeMf(FCW_TEST_DATA_DIR "/three_mf_features.3mf", 1.0);
    const ThreeMfRead rewritten = readThreeMf(path, 1.0);
    EXPECT_EQ(rewritten.error, "");
    ASSERT_EQ(rewritten.triangles.size(), original.triangles.size());
    for (std::size_t i = 0; i < original.triangles.size(); ++i) {
        EXPECT_EQ(rewritten.triangles[i].v, original.triangles[i].v);
        EXPECT_EQ(rewritten.triangles[i].colour, original.triangles[i].colour);
    }
    std::filesystem::remove_all(folder);
}

// Every prefix and many flipped bytes: parsed or refused, never read outside the bytes (the
// sanitizers watch), and a rewrite, when there is one, parses again.
TEST(ThreeMfPackage, DamagedArchivesAreRefusedOrParsedSafely) {
    const auto zip = fixture();
    const auto check = [](const std::vector<std::uint8_t>& bytes) {
        (void)zipUnpackedSize(bytes);
        if (const auto classic = classicZip(bytes)) {
            EXPECT_TRUE(zipEntries(*classic));
        }
    };
    for (std::size_t n = 0; n < zip.size(); ++n)
        check({zip.begin(), zip.begin() + static_cast<long>(n)});
    for (std::size_t at = 0; at < zip.size(); ++at) {
        for (const std::uint8_t flip : {0x01, 0x80, 0xFF}) {
            auto bad = zip;
            bad[at] ^= flip;
            check(bad);
        }
    }
}

} // namespace
} // namespace fcw
