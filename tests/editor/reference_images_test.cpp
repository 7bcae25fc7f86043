#include "editor/commands/document_commands.h"
#include "editor/editor.h"
#include "editor/session/recovery.h"
#include "editor/view/frame_step.h"
#include "editor/view/panes.h"
#include "io/atomic_file.h"
#include "io/document_extensions.h"
#include "io/native_document.h"
#include "temp_folder.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fcw {
namespace {

namespace fs = std::filesystem;
using testing::appendTriangle;
using testing::FakeHost;
using testing::writePicture;

constexpr std::size_t kFront = 0;
constexpr std::size_t kRight = 1;
constexpr std::size_t kTop = 2;

class ReferenceImages : public ::testing::Test {
  protected:
    FakeHost host;
    Editor e{host};
    testing::TempFolder folder{"fcw-ref"};

    std::string at(const std::string& name) const { return folder.path(name); }
    static std::vector<std::uint8_t> read(const std::string& p) {
        std::vector<std::uint8_t> bytes;
        readWholeFile(p, bytes);
        return bytes;
    }
    void oneTriangle() { appendTriangle(e, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0x0000FF); }
};

TEST_F(ReferenceImages, NewImageStartsCentredAtOnePixelPerUnitHalfOpaque) {
    writePicture(at("a.pic"), 300, 200, 0xFF336699);
    ASSERT_TRUE(loadReferenceImage(e, kRight, at("a.pic")));
    const ReferenceImage& r = e.document.references[kRight];
    EXPECT_TRUE(r.loaded());
    EXPECT_EQ(r.settings, (ReferenceSettings{0, 0, 300, 50, true, false}));
    EXPECT_EQ(r.pixelWidth, 300);
    EXPECT_EQ(r.pixelHeight, 200);
    EXPECT_TRUE(e.document.modified);
    EXPECT_FALSE(e.document.references[kFront].inUse);
    EXPECT_EQ(e.undoDepth(), 0) << "a reference is not an undo step";
    e.document.references[kRight].settings = {1, 2, 3, 4, false, true};
    writePicture(at("b.pic"), 60, 60, 0xFF336699);
    ASSERT_TRUE(loadReferenceImage(e, kRight, at("b.pic"))); // a replaced image starts anew
    EXPECT_EQ(r.settings, (ReferenceSettings{0, 0, 60, 50, true, false}));
}

TEST_F(ReferenceImages, LargePicturesShrinkToFitKeepingTheirWidthInModelUnits) {
    writePicture(at("wide.pic"), 8192, 100, 0xFF808080);
    ASSERT_TRUE(loadReferenceImage(e, kTop, at("wide.pic")));
    const ReferenceImage& r = e.document.references[kTop];
    EXPECT_EQ(r.pixelWidth, 4096);
    EXPECT_EQ(r.pixelHeight, 50);
    EXPECT_EQ(r.settings.width, 8192);
}

// Every refusal names the file and leaves the slot as it was.
TEST_F(ReferenceImages, UnreadableFilesAreRefusedByName) {
    writePicture(at("keep.pic"), 10, 10, 0xFF000000);
    ASSERT_TRUE(loadReferenceImage(e, kFront, at("keep.pic")));
    std::ofstream(at("text.pic")) << "not a picture";
    writePicture(at("huge.pic"), 16385, 1, 0xFF000000);
    ::mkfifo(at("pipe").c_str(), 0600);
    fs::create_directory(at("dir"));
    const std::string bigFile = at("big.pic");
    std::ofstream(bigFile).close();
    fs::resize_file(bigFile, kMaxReferenceFileBytes + 1); // sparse: no disk taken
    for (const std::string& bad : {at("text.pic"), at("huge.pic"), at("missing.pic"), at("pipe"),
                                   at("dir"), bigFile, std::string("/dev/zero")}) {
        host.messages.clear();
        EXPECT_FALSE(loadReferenceImage(e, kFront, bad)) << bad;
        ASSERT_EQ(host.messages.size(), 1u) << bad;
        EXPECT_NE(host.messages[0].find(bad), std::string::npos) << host.messages[0];
        EXPECT_EQ(e.document.references[kFront].path, at("keep.pic"));
        EXPECT_EQ(e.document.references[kFront].pixelWidth, 10);
    }
}

TEST_F(ReferenceImages, SavedDocumentReopensFromAMovedFolder) {
    fs::create_directories(at("work/img"));
    writePicture(at("work/img/front.pic"), 64, 32, 0xFF102030);
    oneTriangle();
    ASSERT_TRUE(loadReferenceImage(e, kFront, at("work/img/front.pic")));
    e.document.references[kFront].settings = {12.5, -3, 128, 70, true, true};
    ASSERT_TRUE(saveDocumentFile(e, at("work/m.fcw")));
    fs::rename(at("work"), at("moved"));

    FakeHost other;
    Editor reopened(other);
    ASSERT_TRUE(openDocumentFile(reopened, at("moved/m.fcw")));
    EXPECT_TRUE(other.messages.empty());
    const ReferenceImage& r = reopened.document.references[kFront];
    EXPECT_TRUE(r.loaded());
    EXPECT_EQ(r.path, at("moved/img/front.pic"));
    EXPECT_EQ(r.settings, (ReferenceSettings{12.5, -3, 128, 70, true, true}));
    EXPECT_EQ(reopened.document.store.lastIndex, 0);
    EXPECT_FALSE(reopened.document.modified);
}

// The image is missing or broken when the document opens: one message naming it, the model
// whole, the slot keeping its place, size and opacity for the next image loaded into it.
TEST_F(ReferenceImages, MissingOrBrokenImageOnOpenKeepsTheSlotsSettings) {
    const std::string device = "/dev/null";
    for (const char* damage : {"remove", "break", "device"}) {
        SCOPED_TRACE(damage);
        writePicture(at("t.pic"), 20, 20, 0xFF00FF00);
        FakeHost h;
        Editor doc(h);
        appendTriangle(doc, {0, 0, 0}, {0, 10, 0}, {0, 0, 10}, 0x0000FF);
        ASSERT_TRUE(loadReferenceImage(doc, kTop, at("t.pic")));
        doc.document.references[kTop].settings = {5, 6, 40, 30, false, true};
        std::string named = at("t.pic");
        if (std::string(damage) == "device") {
            doc.document.references[kTop].path = named = device; // a block naming a device
        }
        ASSERT_TRUE(saveDocumentFile(doc, at("d.fcw")));
        if (std::string(damage) == "remove") {
            fs::remove(at("t.pic"));
        } else if (std::string(damage) == "break") {
            std::ofstream(at("t.pic")) << "garbage";
        }
        FakeHost h2;
        Editor reopened(h2);
        ASSERT_TRUE(openDocumentFile(reopened, at("d.fcw")));
        ASSERT_EQ(h2.messages.size(), 1u);
        EXPECT_NE(h2.messages[0].find(named), std::string::npos) << h2.messages[0];
        EXPECT_EQ(reopened.document.store.lastIndex, 0);
        const ReferenceImage& slot = reopened.document.references[kTop];
        EXPECT_TRUE(slot.inUse);
        EXPECT_FALSE(slot.loaded());
        writePicture(at("new.pic"), 10, 10, 0xFF0000FF);
        ASSERT_TRUE(loadReferenceImage(reopened, kTop, at("new.pic")));
        EXPECT_EQ(slot.settings, (ReferenceSettings{5, 6, 40, 30, false, true}));
    }
}

TEST_F(ReferenceImages, PlainDocumentsStayPlainAndDamagedBlocksStillOpen) {
    oneTriangle();
    ASSERT_TRUE(saveDocumentFile(e, at("plain.fcw")));
    const std::vector<std::uint8_t> plain = encodeDocument(e.document.store.modelTriangles, 0);
    EXPECT_EQ(read(at("plain.fcw")), plain);
    writePicture(at("a.pic"), 4, 4, 0xFF000000);
    ASSERT_TRUE(loadReferenceImage(e, kRight, at("a.pic")));
    removeReferenceImage(e, kRight);
    ASSERT_TRUE(saveDocumentFile(e, at("again.fcw")));
    EXPECT_EQ(read(at("again.fcw")), plain);

    struct Case {
        const char* name;
        std::vector<std::uint8_t> block;
        std::size_t messages;
    };
    const ExtensionRecord unknown{extensionTag("ZZZZ"), 1, {1, 2}};
    std::vector<std::uint8_t> cut = encodeExtensionBlock(std::span(&unknown, 1));
    cut.pop_back();
    const Case cases[] = {{"unknown tag", encodeExtensionBlock(std::span(&unknown, 1)), 0},
                          {"cut short", cut, 1}};
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = plain;
        bytes.insert(bytes.end(), c.block.begin(), c.block.end());
        ASSERT_TRUE(writeFileAtomically(at("x.fcw"), bytes, {}));
        FakeHost h;
        Editor opened(h);
        ASSERT_TRUE(openDocumentFile(opened, at("x.fcw"))) << c.name;
        EXPECT_EQ(h.messages.size(), c.messages) << c.name;
        EXPECT_EQ(opened.document.store.lastIndex, 0) << c.name;
    }
}

TEST_F(ReferenceImages, RecoveryCopiesCarryTheReferences) {
    oneTriangle();
    writePicture(at("a.pic"), 4, 4, 0xFF000000);
    ASSERT_TRUE(loadReferenceImage(e, kFront, at("a.pic")));
    ASSERT_TRUE(startRecovery(e, at("state"), 1000));
    writeRecoveryCopyNow(e, 2000);
    const std::vector<std::uint8_t> copy = read(e.services.recovery.copyPath);
    DecodedDocument doc;
    ASSERT_EQ(decodeDocument(copy, doc), DecodeError::None);
    const ExtensionRead block = readExtensionBlock(std::span(copy).subspan(doc.recordsEnd));
    ASSERT_EQ(block.status, ExtensionRead::Status::Read);
    const auto entries =
        decodeReferences(findExtension(block, kReferenceTag, kReferenceVersion)->payload);
    ASSERT_TRUE(entries && entries->size() == 1);
    EXPECT_EQ((*entries)[0].absolutePath, at("a.pic"));
}

} // namespace
} // namespace fcw

namespace fcw {
namespace {

// Each slot's image is in its own pane's frame, placed by that pane's camera, in both
// layouts; never in 自由視点 or another direction's pane.
TEST_F(ReferenceImages, FramesShowTheImageOnlyInItsPane) {
    writePicture(at("a.pic"), 40, 20, 0xFF0000FF);
    for (const PaneLayout layout : {PaneLayout::Single, PaneLayout::Quad}) {
        setPaneLayout(e, layout);
        layOutPanes(e, 800, 600);
        for (std::size_t s = 0; s < kReferenceDirections; ++s) {
            e.document.references = {};
            ASSERT_TRUE(loadReferenceImage(e, s, at("a.pic")));
            e.document.references[s].settings = {10, 5, 80, 30, true, false};
            for (std::size_t i = 0; i < pane_index::kCount; ++i) {
                Pane& pane = e.session.panes[i];
                pane.camera.zoom = 0.5;
                const SceneFrame f = frameFor(e, pane).scene;
                const bool own = referenceSlot(pane.kind) == s;
                ASSERT_EQ(f.reference.has_value(), own) << s << " in pane " << i;
                if (!own) {
                    continue;
                }
                // 80 units at zoom 0.5 over 40 pixels; centred 10 right and 5 up of the origin.
                const double cx = f.camera.centreX + 5;
                const double cy = f.camera.centreY - 2.5;
                EXPECT_DOUBLE_EQ(f.reference->scale, 1.0);
                EXPECT_DOUBLE_EQ(f.reference->left, cx - 20);
                EXPECT_DOUBLE_EQ(f.reference->top, cy - 10);
                EXPECT_EQ(f.reference->opacity, 30);
            }
            e.document.references[s].settings.shown = false; // hidden: in no frame
            for (const Pane& pane : e.session.panes) {
                EXPECT_FALSE(frameFor(e, pane).scene.reference);
            }
        }
    }
}

} // namespace
} // namespace fcw
