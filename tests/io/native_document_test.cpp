#include "io/native_document.h"
#include "model/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace fcw {
namespace {

using Bytes = std::vector<std::uint8_t>;

double doubleAt(const Bytes& bytes, std::size_t offset) {
    double d = 0.0;
    std::memcpy(&d, bytes.data() + offset, sizeof d);
    return d;
}

std::uint64_t bitsOf(double d) {
    std::uint64_t u = 0;
    std::memcpy(&u, &d, sizeof u);
    return u;
}

template <typename T> void append(Bytes& out, T value) {
    std::uint8_t raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    out.insert(out.end(), raw, raw + sizeof(T));
}

std::vector<Triangle> randomTriangles(std::size_t count, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> coord(-1000.0, 1000.0);
    std::vector<Triangle> triangles(kTriangleSlots);
    for (std::size_t i = 0; i < count; ++i) {
        for (int k = 0; k < 3; ++k) {
            triangles[i].setVertex(k, Point3(coord(rng), coord(rng), coord(rng)));
        }
        triangles[i].setColour(static_cast<Colour>(rng() & 0xFFFFFF));
    }
    return triangles;
}

// A document whose header is given as raw bytes, followed by `last` and `records` records.
Bytes withHeader(const Bytes& header, std::int16_t last, int records) {
    Bytes out = header;
    append<std::int16_t>(out, last);
    out.resize(out.size() + kRecordBytes * static_cast<std::size_t>(records), 0);
    return out;
}

TEST(NativeDocument, EmptyModelIsHeaderAndMinusOne) {
    const Bytes bytes = encodeDocument(std::vector<Triangle>(kTriangleSlots), -1);
    Bytes expected{0x14};
    for (char c : std::string("FacetCraftwerk_V.1.0")) {
        expected.push_back(static_cast<std::uint8_t>(c));
    }
    expected.push_back(0xFF);
    expected.push_back(0xFF);
    EXPECT_EQ(bytes, expected);

    DecodedDocument doc;
    doc.lastIndex = 7;
    ASSERT_EQ(decodeDocument(bytes, doc), DecodeError::None);
    EXPECT_EQ(doc.lastIndex, -1);
    EXPECT_TRUE(doc.triangles.empty());
}

TEST(NativeDocument, RecordLayoutIsYThenMinusZThenMinusX) {
    std::vector<Triangle> triangles(kTriangleSlots);
    triangles[0].setVertex(0, Point3(0, 0, 0));
    triangles[0].setVertex(1, Point3(0, 10, 0));
    triangles[0].setVertex(2, Point3(0, 0, 10));
    triangles[0].setColour(0x0000FF);
    const Bytes bytes = encodeDocument(triangles, 0);
    ASSERT_EQ(bytes.size(), 99u);
    EXPECT_EQ(bytes[21], 0x00);
    EXPECT_EQ(bytes[22], 0x00);

    const std::size_t record = 23;
    // First vertex: 0.0, then the negated zeros, whose sign bit must be in the file.
    EXPECT_EQ(doubleAt(bytes, record + 0), 0.0);
    EXPECT_FALSE(std::signbit(doubleAt(bytes, record + 0)));
    EXPECT_EQ(doubleAt(bytes, record + 8), 0.0);
    EXPECT_TRUE(std::signbit(doubleAt(bytes, record + 8)));
    EXPECT_EQ(doubleAt(bytes, record + 16), 0.0);
    EXPECT_TRUE(std::signbit(doubleAt(bytes, record + 16)));
    EXPECT_EQ(doubleAt(bytes, record + 24), 10.0);  // (0,10,0): y first
    EXPECT_EQ(doubleAt(bytes, record + 56), -10.0); // (0,0,10): -z second
    std::uint32_t colour = 0;
    std::memcpy(&colour, bytes.data() + record + 72, sizeof colour);
    EXPECT_EQ(colour, 0x0000FFu);

    // A distinct value per axis pins the order beyond doubt.
    triangles[0].setVertex(0, Point3(1, 2, 3));
    const Bytes ordered = encodeDocument(triangles, 0);
    EXPECT_EQ(doubleAt(ordered, record + 0), 2.0);
    EXPECT_EQ(doubleAt(ordered, record + 8), -3.0);
    EXPECT_EQ(doubleAt(ordered, record + 16), -1.0);
}

TEST(NativeDocument, RoundTripIsBitExact) {
    std::vector<Triangle> triangles = randomTriangles(40, 11);
    // Signed zeros and extremes in every axis.
    triangles[0].setVertex(0, Point3(-0.0, -0.0, -0.0));
    triangles[0].setVertex(1, Point3(0.0, 0.0, 0.0));
    triangles[0].setVertex(
        2, Point3(std::numeric_limits<double>::denorm_min(), -kCoordinateLimit, kCoordinateLimit));
    const Bytes bytes = encodeDocument(triangles, 39);
    ASSERT_EQ(bytes.size(), 23 + 40 * kRecordBytes);

    DecodedDocument doc;
    ASSERT_EQ(decodeDocument(bytes, doc), DecodeError::None);
    ASSERT_EQ(doc.lastIndex, 39);
    ASSERT_EQ(doc.triangles.size(), 40u);
    for (std::size_t i = 0; i < 40; ++i) {
        EXPECT_EQ(doc.triangles[i].colour, triangles[i].colour) << i;
        for (std::size_t k = 0; k < 3; ++k) {
            const Point3& p = triangles[i].v[k];
            EXPECT_EQ(bitsOf(doc.triangles[i].v[k][0]), bitsOf(p.x)) << i << "/" << k;
            EXPECT_EQ(bitsOf(doc.triangles[i].v[k][1]), bitsOf(p.y)) << i << "/" << k;
            EXPECT_EQ(bitsOf(doc.triangles[i].v[k][2]), bitsOf(p.z)) << i << "/" << k;
        }
    }
    // The -0.0 that +0.0 becomes in the file reads back as +0.0.
    EXPECT_TRUE(std::signbit(doubleAt(bytes, 23 + 24 + 8)));
    EXPECT_FALSE(std::signbit(doc.triangles[0].v[1][2]));
    EXPECT_FALSE(std::signbit(doc.triangles[0].v[1][0]));
}

TEST(NativeDocument, EveryTruncatedPrefixIsRejected) {
    const Bytes bytes = encodeDocument(randomTriangles(3, 5), 2);
    ASSERT_EQ(bytes.size(), 23 + 3 * kRecordBytes);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        DecodedDocument doc;
        EXPECT_EQ(decodeDocument(std::span(bytes.data(), n), doc), DecodeError::Truncated)
            << "prefix of " << n << " bytes";
    }
}

TEST(NativeDocument, LastIndexRange) {
    const Bytes header{0};
    DecodedDocument doc;
    EXPECT_EQ(decodeDocument(withHeader(header, 3000, 3001), doc), DecodeError::BadCount);
    EXPECT_EQ(decodeDocument(withHeader(header, -2, 0), doc), DecodeError::BadCount);
    EXPECT_EQ(decodeDocument(withHeader(header, 2999, 2999), doc), DecodeError::Truncated);

    ASSERT_EQ(decodeDocument(withHeader(header, 2999, 3000), doc), DecodeError::None);
    EXPECT_EQ(doc.lastIndex, 2999);
    EXPECT_EQ(doc.triangles.size(), 3000u);
}

// A NaN, an infinity or a magnitude past the coordinate limit (which a view turn would square
// into an infinity) in any of the nine coordinates of any record marks a damaged file: the
// whole document is refused and the output holds no model.
TEST(NativeDocument, NonFiniteCoordinatesAreRefused) {
    const Bytes good = encodeDocument(randomTriangles(3, 9), 2);
    for (const double bad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), std::nextafter(kCoordinateLimit, 1e300),
          -std::numeric_limits<double>::max()}) {
        for (std::size_t record = 0; record < 3; ++record) {
            for (std::size_t slot = 0; slot < 9; ++slot) {
                Bytes bytes = good;
                std::memcpy(bytes.data() + 23 + kRecordBytes * record + 8 * slot, &bad, sizeof bad);
                DecodedDocument doc;
                doc.lastIndex = 7;
                EXPECT_EQ(decodeDocument(bytes, doc), DecodeError::NotFinite)
                    << record << " " << slot;
                EXPECT_EQ(doc.lastIndex, -1);
                EXPECT_TRUE(doc.triangles.empty());
            }
        }
    }
    // The largest storable values are a model like any other.
    Bytes bytes = good;
    const double huge = -kCoordinateLimit;
    std::memcpy(bytes.data() + 23, &huge, sizeof huge);
    DecodedDocument doc;
    ASSERT_EQ(decodeDocument(bytes, doc), DecodeError::None);
    EXPECT_EQ(doc.triangles[0].v[0][1], huge);
}

TEST(NativeDocument, HeaderLengthForms) {
    struct Case {
        const char* name;
        Bytes prefix; // the length bytes
        std::size_t textBytes;
    };
    const Case cases[] = {
        {"one byte", {0xFE}, 0xFE},
        {"16-bit", {0xFF, 0x2C, 0x01}, 300},
        {"16-bit short", {0xFF, 0x03, 0x00}, 3},
        {"32-bit", {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}, 65536},
        {"UTF-16, one byte", {0xFF, 0xFE, 0xFF, 0x05}, 10},
        {"UTF-16, 16-bit", {0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01}, 512},
    };
    const std::vector<Triangle> triangles = randomTriangles(2, 3);
    for (const Case& c : cases) {
        Bytes bytes = c.prefix;
        bytes.resize(bytes.size() + c.textBytes, 'a');
        append<std::int16_t>(bytes, 1);
        appendRecord(bytes, triangles[0]);
        appendRecord(bytes, triangles[1]);

        DecodedDocument doc;
        ASSERT_EQ(decodeDocument(bytes, doc), DecodeError::None) << c.name;
        ASSERT_EQ(doc.lastIndex, 1) << c.name;
        // The records land exactly where the text ends.
        EXPECT_EQ(doc.triangles[0].colour, triangles[0].colour) << c.name;
        EXPECT_EQ(doc.triangles[1].v[2][1], triangles[1].v[2].y) << c.name;
        for (std::size_t n = 0; n < bytes.size(); ++n) {
            if (decodeDocument(std::span(bytes.data(), n), doc) != DecodeError::Truncated) {
                ADD_FAILURE() << c.name << ": prefix of " << n << " bytes accepted";
                break;
            }
        }
    }
}

TEST(NativeDocument, ImpossibleHeaderLengthsAreTruncated) {
    const Bytes cases[] = {
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00},
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00},
        // UTF-16 length that fits as bytes but not as two-byte characters.
        {0xFF, 0xFE, 0xFF, 0x04, 'a', 'b', 'c', 'd', 0xFF, 0xFF},
        // A second UTF-16 marker.
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0xFF, 0xFF},
        // Length form cut short.
        {0xFF, 0x10},
        {0xFF, 0xFF, 0xFF, 0x01, 0x00},
    };
    for (const Bytes& bytes : cases) {
        DecodedDocument doc;
        EXPECT_EQ(decodeDocument(bytes, doc), DecodeError::Truncated)
            << "first bytes " << int(bytes[0]) << " " << int(bytes[1]) << " size " << bytes.size();
    }
}

TEST(NativeDocument, TrailingBytesAreIgnored) {
    const std::vector<Triangle> triangles = randomTriangles(2, 9);
    Bytes bytes = encodeDocument(triangles, 1);
    bytes.insert(bytes.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    bytes.resize(bytes.size() + kRecordBytes, 0x55);
    DecodedDocument doc;
    ASSERT_EQ(decodeDocument(bytes, doc), DecodeError::None);
    ASSERT_EQ(doc.triangles.size(), 2u);
    EXPECT_EQ(doc.triangles[1].colour, triangles[1].colour);
    EXPECT_EQ(doc.triangles[1].v[2][0], triangles[1].v[2].x);
}

} // namespace
} // namespace fcw
