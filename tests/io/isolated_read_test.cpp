#include "io/isolated_read.h"

#include "io/byte_order.h"
#include "io/model_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <unistd.h>

namespace fcw {
namespace {

using namespace std::chrono_literals;

const std::string kFailed = "読み込み中に読み取りライブラリが異常終了しました";

bool sameBits(const std::vector<TriangleCore>& a, const std::vector<TriangleCore>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

ForeignRead sampleResult() {
    ForeignRead r;
    r.dropped = 7;
    for (int i = 0; i < 5000; ++i) { // more than the pipe holds at once
        TriangleCore t;
        t.colour = 0x00ffffffu - static_cast<Colour>(i);
        t.v = {{{-0.0, 1e-310, 1e99}, {i * 0.1, -i * 3.7, 2.0}, {1.0 / 3.0, 0.0, -5e-5}}};
        r.triangles.push_back(t);
    }
    return r;
}

TEST(IsolatedRead, ResultCrossesTheProcessBitForBit) {
    const ForeignRead sent = sampleResult();
    const ForeignRead got = readInChildProcess([&] { return sent; });
    EXPECT_EQ(got.error, "");
    EXPECT_EQ(got.dropped, 7u);
    EXPECT_TRUE(sameBits(got.triangles, sent.triangles));

    // A reason is carried as it is; one past the stream's limit is cut between characters.
    ForeignRead longReason;
    for (int i = 0; i < 3000; ++i) {
        longReason.error += "面";
    }
    const ForeignRead cut = readInChildProcess([&] { return longReason; });
    ASSERT_FALSE(cut.error.empty());
    EXPECT_LE(cut.error.size(), 4096u);
    EXPECT_EQ(cut.error.size() % std::strlen("面"), 0u);
    EXPECT_EQ(longReason.error.compare(0, cut.error.size(), cut.error), 0);
}

TEST(IsolatedRead, ReaderThatDiesGivesTheFailureAndNoTriangles) {
    const std::pair<const char*, std::function<ForeignRead()>> readers[] = {
        {"abort", []() -> ForeignRead { std::abort(); }},
        {"segfault",
         []() -> ForeignRead {
             std::raise(SIGSEGV);
             return sampleResult();
         }},
        {"nonzero exit", []() -> ForeignRead { ::_exit(9); }},
        {"exit before the result", []() -> ForeignRead { ::_exit(0); }},
        {"exception", []() -> ForeignRead { throw std::runtime_error("inside the library"); }},
    };
    for (const auto& [name, reader] : readers) {
        SCOPED_TRACE(name);
        const ForeignRead r = readInChildProcess(reader);
        EXPECT_EQ(r.error, kFailed);
        EXPECT_TRUE(r.triangles.empty());
    }
}

TEST(IsolatedRead, ReaderThatHangsIsKilledAtTheTimeout) {
    IsolationLimits limits;
    limits.timeout = 300ms;
    const auto start = std::chrono::steady_clock::now();
    const ForeignRead r = readInChildProcess(
        []() -> ForeignRead {
            for (;;) {
                ::pause();
            }
        },
        limits);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_NE(r.error.find("時間がかかりすぎた"), std::string::npos) << r.error;
    EXPECT_TRUE(r.triangles.empty());
}

// A damaged PLY on which the library's reader runs for minutes (found by the fuzz target) is
// refused by the header check before the library sees it, and at once.
TEST(IsolatedRead, DamagedPlyThatHangsTheLibraryIsRefusedBeforeIt) {
    const auto start = std::chrono::steady_clock::now();
    const ForeignRead r =
        readForeignModel(FCW_TEST_DATA_DIR "/ply_reading_without_end.ply", 1.0, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_NE(r.error.find("end_header"), std::string::npos) << r.error;
    EXPECT_TRUE(r.triangles.empty());
}

// A result over the bound is refused from its count, and the child, blocked writing the rest,
// is killed rather than waited for.
TEST(IsolatedRead, ResultOverTheBoundIsRefusedAtOnce) {
    IsolationLimits limits;
    limits.maxTriangles = 10;
    const auto start = std::chrono::steady_clock::now();
    const ForeignRead r = readInChildProcess([] { return sampleResult(); }, limits);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_EQ(r.error, kFailed);
    EXPECT_TRUE(r.triangles.empty());
}

// Streams fed straight into the parent's side, as a broken child could send them.
StreamRead readBytes(const std::vector<std::uint8_t>& bytes, bool close = true) {
    int ends[2];
    EXPECT_EQ(::pipe(ends), 0);
    EXPECT_EQ(::write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    if (close) {
        ::close(ends[1]);
    }
    StreamRead r = readReadResult(ends[0], 1000, std::chrono::steady_clock::now() + 200ms);
    ::close(ends[0]);
    if (!close) {
        ::close(ends[1]);
    }
    return r;
}

std::vector<std::uint8_t> header(std::uint32_t errorBytes, std::uint64_t triangles) {
    std::vector<std::uint8_t> out;
    putBytes<std::uint64_t>(out, 0);
    putBytes(out, errorBytes);
    out.resize(out.size() + (errorBytes < 100 ? errorBytes : 0), 'x');
    putBytes(out, triangles);
    return out;
}

TEST(IsolatedRead, BrokenStreamsAreRefused) {
    std::vector<std::uint8_t> whole = header(0, 1);
    whole.resize(whole.size() + 76, 0);
    ASSERT_TRUE(readBytes(whole).result.has_value());

    std::vector<std::uint8_t> trailing = whole;
    trailing.push_back(0);
    std::vector<std::uint8_t> cut = whole;
    cut.pop_back();
    std::vector<std::uint8_t> announcedMore = header(0, 1000);
    announcedMore.resize(announcedMore.size() + 76, 0);
    // What a child taken over by its file could claim: a coordinate no model may store, an
    // error that comes with triangles or is not UTF-8, more dropped faces than any file holds.
    std::vector<std::uint8_t> notANumber = header(0, 1);
    putBytes<std::uint32_t>(notANumber, 0);
    putBytes(notANumber, std::numeric_limits<double>::quiet_NaN());
    notANumber.resize(notANumber.size() + 64, 0);
    std::vector<std::uint8_t> errorAndTriangles = header(2, 1);
    errorAndTriangles.resize(errorAndTriangles.size() + 76, 0);
    std::vector<std::uint8_t> notUtf8 = header(2, 0);
    notUtf8[12] = 0xC0;
    notUtf8[13] = 0xAF; // an overlong '/'
    std::vector<std::uint8_t> manyDropped = header(0, 0);
    manyDropped[7] = 0x7F;
    const std::vector<std::uint8_t> broken[] = {
        {},
        {1, 2, 3},
        trailing,
        cut,
        announcedMore,
        header(0, 1001),
        header(0, ~0ull),
        header(1u << 30, 0),
        notANumber,
        errorAndTriangles,
        notUtf8,
        manyDropped,
    };
    for (const auto& bytes : broken) {
        const StreamRead r = readBytes(bytes);
        EXPECT_FALSE(r.result.has_value());
        EXPECT_EQ(r.fault, StreamFault::Broken);
    }
    // A stream whose writer neither finishes nor closes ends at the deadline.
    EXPECT_EQ(readBytes(header(0, 1), false).fault, StreamFault::TimedOut);
}

class IsolatedFileRead : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/fcw_isolated_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string dir_;
};

// A glTF whose buffer is a file of its own beside it, made from the binary form: its JSON
// chunk with the buffer's name added, and its binary chunk.
void splitGlb(const std::string& gltfPath, const std::string& binName,
              const std::vector<TriangleCore>& model) {
    const std::string glb = gltfPath + ".glb";
    std::string error;
    ASSERT_TRUE(writeForeignModel(glb, model, 1.5, &error)) << error;
    std::ifstream in(glb, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::uint32_t jsonLength = 0;
    std::memcpy(&jsonLength, bytes.data() + 12, 4);
    std::string json = bytes.substr(20, jsonLength);
    json.insert(json.rfind("}]"), ",\"uri\":\"" + binName + "\"");
    std::ofstream(gltfPath, std::ios::binary) << json;
    const std::size_t binAt = 20 + jsonLength + 8;
    const std::string folder = gltfPath.substr(0, gltfPath.rfind('/') + 1);
    std::ofstream(folder + binName, std::ios::binary) << bytes.substr(binAt);
    std::filesystem::remove(glb);
}

// The window's, the batch player's and the conversion's route reads exactly what the reader
// reads in this process, inside its sandbox (an OBJ's .mtl and a glTF's .bin beside it
// included), a damaged file's reason included.
TEST_F(IsolatedFileRead, FilesReadTheSameAsInProcess) {
    std::vector<TriangleCore> model;
    for (int i = 0; i < 300; ++i) {
        const double a = i * 0.37;
        model.push_back(
            {colourOf(i % 7 * 30, 200, 255 - i % 5), {{{a, 1, 2}, {a, 4.5, -3}, {-a, 0, 7}}}});
    }
    for (const char* name : {"m.glb", "m.gltf", "m.obj", "m.stl", "m.ply", "m.3mf", "s.gltf"}) {
        SCOPED_TRACE(name);
        const std::string path = dir_ + "/" + name;
        std::string error;
        if (std::string(name) == "s.gltf") {
            splitGlb(path, "s.bin", model);
        } else {
            ASSERT_TRUE(writeForeignModel(path, model, 1.5, &error)) << error;
        }
        const ForeignRead isolated = readForeignModel(path, 2.0, 0x123456u);
        const ForeignRead here =
            readForeignModelInProcess(path, foreignFormatOf(path), 2.0, 0x123456u);
        EXPECT_EQ(isolated.error, "");
        EXPECT_EQ(isolated.dropped, here.dropped);
        EXPECT_TRUE(sameBits(isolated.triangles, here.triangles));
        EXPECT_FALSE(isolated.triangles.empty());
    }
    const std::string damaged = dir_ + "/d.glb";
    std::ofstream(damaged, std::ios::binary) << "glTF\x02\0\0\0 and then nothing";
    const ForeignRead isolated = readForeignModel(damaged, 1.0, 0);
    EXPECT_FALSE(isolated.error.empty());
    EXPECT_EQ(isolated.error, readForeignModelInProcess(damaged, ForeignFormat::Glb, 1.0, 0).error);
}

// Damaged files that crash the library's reader: a Collada node that instances itself (endless
// recursion until the stack runs out) and a PLY whose damaged header makes the library free a
// pointer it never allocated (found by the fuzz target). The file route reports each, naming
// the file on the command line.
TEST(IsolatedRead, LibraryCrashOnADamagedFileBecomesItsReason) {
    for (const char* name : {"node_instancing_itself.dae", "ply_freeing_a_foreign_pointer.ply"}) {
        const std::string path = std::string(FCW_TEST_DATA_DIR "/") + name;
        const ForeignRead r = readForeignModel(path, 1.0, 0);
        EXPECT_EQ(r.error, kFailed) << name;
        EXPECT_TRUE(r.triangles.empty()) << name;
        EXPECT_EQ(convertModelFile(path, "/tmp/fcw_never_written.glb", std::nullopt),
                  path + ": " + kFailed);
        EXPECT_FALSE(std::filesystem::exists("/tmp/fcw_never_written.glb"));
    }
}

} // namespace
} // namespace fcw
