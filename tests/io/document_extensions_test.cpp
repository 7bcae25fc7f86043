#include "io/document_extensions.h"
#include "io/native_document.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace fcw {
namespace {

using Bytes = std::vector<std::uint8_t>;

ReferenceEntry entry(ReferenceDirection d, double width = 640.0) {
    return {d, "img/front.png", "/home/u/m/img/front.png", {1.5, -2.0, width, 35, true, true}};
}

Bytes referenceBlock(const std::vector<ReferenceEntry>& entries) {
    const ExtensionRecord r{kReferenceTag, kReferenceVersion, encodeReferences(entries)};
    return encodeExtensionBlock(std::span(&r, 1));
}

TEST(DocumentExtensions, NoRecordsWriteNoBlockAndPlainBytesReadAsAbsent) {
    EXPECT_TRUE(encodeExtensionBlock({}).empty());
    const Bytes trailer{'\r', '\n', 'x'}; // a recovery copy's trailer, or anything else
    EXPECT_EQ(readExtensionBlock(trailer).status, ExtensionRead::Status::Absent);
    EXPECT_EQ(readExtensionBlock({}).status, ExtensionRead::Status::Absent);
}

// The layout other features add their tags to: magic, version, body length, then records.
TEST(DocumentExtensions, BlockLayoutAndRoundTripWithUnknownTagsSkipped) {
    const std::vector<ReferenceEntry> refs{entry(ReferenceDirection::Front),
                                           entry(ReferenceDirection::Top, 12.25)};
    const std::vector<ExtensionRecord> records{
        {extensionTag("ZZZZ"), 9, {1, 2, 3}},
        {kReferenceTag, kReferenceVersion, encodeReferences(refs)},
        {kReferenceTag, 2, {0xFF}}, // a later version of a known tag is skipped too
    };
    Bytes bytes = encodeExtensionBlock(records);
    ASSERT_GE(bytes.size(), 10u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 6), (Bytes{'F', 'C', 'W', 'X', 1, 0}));
    const std::uint32_t bodyLength = bytes[6] | bytes[7] << 8 | bytes[8] << 16 | bytes[9] << 24;
    EXPECT_EQ(bodyLength, bytes.size() - 10);
    EXPECT_EQ(Bytes(bytes.begin() + 10, bytes.begin() + 20),
              (Bytes{'Z', 'Z', 'Z', 'Z', 9, 0, 3, 0, 0, 0}));
    const std::size_t blockSize = bytes.size();
    bytes.insert(bytes.end(), {'t', 'a', 'i', 'l'}); // what follows is left alone
    const ExtensionRead read = readExtensionBlock(bytes);
    ASSERT_EQ(read.status, ExtensionRead::Status::Read);
    EXPECT_EQ(read.end, blockSize);
    ASSERT_EQ(read.records.size(), 3u);
    const ExtensionRecord* found = findExtension(read, kReferenceTag, kReferenceVersion);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(decodeReferences(found->payload), refs);
    EXPECT_EQ(findExtension(read, extensionTag("SYMM"), 1), nullptr);
}

TEST(DocumentExtensions, DamagedBlocksAreToldApart) {
    const Bytes good = referenceBlock({entry(ReferenceDirection::Right)});
    for (std::size_t n = 4; n < good.size(); ++n) { // every cut inside the block
        EXPECT_EQ(readExtensionBlock(std::span(good.data(), n)).status,
                  ExtensionRead::Status::Damaged)
            << n;
    }
    Bytes otherVersion = good;
    otherVersion[4] = 2;
    EXPECT_EQ(readExtensionBlock(otherVersion).status, ExtensionRead::Status::Damaged);
    Bytes recordTooLong = good;
    recordTooLong[16] += 1; // the record's payload length now passes the body's end
    EXPECT_EQ(readExtensionBlock(recordTooLong).status, ExtensionRead::Status::Damaged);
}

TEST(DocumentExtensions, ReferencePayloadsThatNoWriterMakesAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::vector<ReferenceEntry> entries;
        std::size_t cut = 0;  // bytes cut off the end
        std::size_t poke = 0; // offset of a byte set to `to`, 0 for none
        std::uint8_t to = 0;
    };
    ReferenceEntry zeroWidth = entry(ReferenceDirection::Front, 0.0);
    ReferenceEntry notFinite = entry(ReferenceDirection::Front);
    notFinite.settings.up = nan;
    ReferenceEntry noAbsolute = entry(ReferenceDirection::Front);
    noAbsolute.absolutePath.clear();
    ReferenceEntry withNul = entry(ReferenceDirection::Front);
    withNul.relativePath = std::string("a\0b", 3);
    const Case cases[] = {
        {"twice one direction", {entry(ReferenceDirection::Top), entry(ReferenceDirection::Top)}},
        {"width 0", {zeroWidth}},
        {"NaN", {notFinite}},
        {"no absolute path", {noAbsolute}},
        {"NUL in a path", {withNul}},
        {"cut short", {entry(ReferenceDirection::Front)}, 1},
        {"direction past 上面", {entry(ReferenceDirection::Front)}, 0, 1, 3},
        {"opacity 101", {entry(ReferenceDirection::Front)}, 0, 26, 101},
        {"unknown flag", {entry(ReferenceDirection::Front)}, 0, 27, 4},
        {"count 4", {entry(ReferenceDirection::Front)}, 0, 0, 4},
    };
    for (const Case& c : cases) {
        Bytes payload = encodeReferences(c.entries);
        payload.resize(payload.size() - c.cut);
        if (c.poke != 0 || c.to != 0) {
            payload[c.poke] = c.to;
        }
        EXPECT_FALSE(decodeReferences(payload)) << c.name;
    }
    Bytes extra = encodeReferences(std::vector{entry(ReferenceDirection::Front)});
    extra.push_back(0);
    EXPECT_FALSE(decodeReferences(extra)) << "bytes after the last entry";
}

// A document reader stops after its records: the block after them changes nothing it reads.
TEST(DocumentExtensions, DocumentReaderStopsAtTheRecords) {
    std::vector<Triangle> triangles(kTriangleSlots);
    triangles[0].setVertex(1, Point3(0, 10, 0));
    Bytes bytes = encodeDocument(triangles, 0);
    const std::size_t plain = bytes.size();
    const Bytes block = referenceBlock({entry(ReferenceDirection::Front)});
    bytes.insert(bytes.end(), block.begin(), block.end());
    DecodedDocument doc;
    ASSERT_EQ(decodeDocument(bytes, doc), DecodeError::None);
    EXPECT_EQ(doc.lastIndex, 0);
    EXPECT_EQ(doc.recordsEnd, plain);
    EXPECT_EQ(readExtensionBlock(std::span(bytes).subspan(doc.recordsEnd)).status,
              ExtensionRead::Status::Read);
}

} // namespace
} // namespace fcw
