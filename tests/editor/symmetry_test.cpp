#include "editor/batch/batch_player.h"
#include "editor/commands/commands.h"
#include "editor/commands/document_commands.h"
#include "editor/edit_transaction.h"
#include "editor/symmetry.h"
#include "editor/tools/mouse_tools.h"
#include "io/native_document.h"
#include "model/mesh_edits.h"
#include "test_host.h"
#include "tests/editor/editor_invariants.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fcw {
namespace {

using testing::checkSymmetry;
using testing::FakeHost;

// A triangle's derived data after its corners were written.
void touch(Triangle& t) {
    t.computePolar();
    t.computeNormal();
}

TriangleCore core(std::array<double, 3> a, std::array<double, 3> b, std::array<double, 3> c,
                  Colour colour = 7) {
    return {colour, {a, b, c}};
}

// Symmetry turned on over `model` (answering Yes if it asks).
struct Symmetric {
    FakeHost host;
    Editor e{host};
    Symmetric(const std::vector<TriangleCore>& model, MirrorPlane plane = MirrorPlane::LeftRight) {
        e.pane().camera.clientRect = {0, 0, 800, 600};
        replaceModel(e, model);
        e.document.symmetry.plane = plane;
        host.messageAnswers.push_back(MessageResult::Yes);
        dispatchCommand(e, command_id::kSymmetry);
    }
    std::vector<TriangleCore> model() const { return liveModel(e); }
    Triangle& at(int t) { return e.document.store.modelTriangles[static_cast<std::size_t>(t)]; }
    // An edit of the model list as any command makes one.
    void edit(const std::function<void(MeshStore&)>& change) {
        runEdit(
            e, [&] { change(e.document.store); }, EditRefresh::ModelToView);
    }
};

// Turning on: a symmetric model needs no question; otherwise Yes mirrors the + side over the
// − side as one undo step and No leaves the model with symmetry off. In each plane.
TEST(Symmetry, TurningOnAsksOverAnAsymmetricModel) {
    struct Case {
        MirrorPlane plane;
        std::array<double, 3> plus; // a corner on the + side; the others lie on the plane
    };
    const Case cases[] = {{MirrorPlane::LeftRight, {0, 10, 0}},
                          {MirrorPlane::UpDown, {0, 0, 10}},
                          {MirrorPlane::FrontBack, {10, 0, 0}}};
    for (const Case& c : cases) {
        auto minus = c.plus;
        for (double& v : minus) {
            v = -2 * v;
        }
        const std::vector<TriangleCore> model = {core({0, 0, 0}, c.plus, {1, 1, 1}),
                                                 core({0, 0, 0}, minus, {-2, -2, -2})};
        for (const MessageResult answer : {MessageResult::Yes, MessageResult::No}) {
            FakeHost host;
            Editor e{host};
            replaceModel(e, model);
            e.document.symmetry.plane = c.plane;
            host.messageAnswers.push_back(answer);
            dispatchCommand(e, command_id::kSymmetry);
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0],
                      "鏡像のない三角形が 2 個あります。\n－側を＋側の鏡像で置き換えますか?");
            const bool yes = answer == MessageResult::Yes;
            EXPECT_EQ(e.document.symmetry.on, yes);
            EXPECT_EQ(e.undoDepth(), yes ? 1 : 0);
            const std::vector<TriangleCore> after = liveModel(e);
            ASSERT_EQ(after.size(), 2u);
            EXPECT_EQ(after[1].v[2] == mirrored(model[0].v[1], c.plane), yes);
            EXPECT_EQ(checkSymmetry(e), std::nullopt);
        }
    }
    Symmetric already({core({0, 0, 0}, {5, 0, 0}, {0, 0, 5})}); // in the plane: its own mirror
    EXPECT_TRUE(already.host.messages.empty());
    EXPECT_TRUE(already.e.document.symmetry.on);
    dispatchCommand(already.e, command_id::kSymmetry);
    EXPECT_FALSE(already.e.document.symmetry.on);
    EXPECT_EQ(already.model().size(), 1u);
}

// Every kind of change to a symmetric model is followed on the other side, in the same undo
// step: corners moved, a triangle recoloured, turned over, removed, one drawn.
TEST(Symmetry, EachKindOfEditIsMirrored) {
    const TriangleCore plus = core({0, 10, 0}, {0, 20, 0}, {0, 10, 10});
    struct Case {
        const char* name;
        std::function<void(MeshStore&)> change;
        std::size_t count;
    };
    const std::vector<Case> cases = {
        {"move",
         [](MeshStore& s) {
             s.modelTriangles[0].v[1].z = 4;
             touch(s.modelTriangles[0]);
         },
         2},
        {"recolour", [](MeshStore& s) { recolourTriangle(s, 1, 99); }, 2},
        {"turn over", [](MeshStore& s) { s.modelTriangles[0].reverseWinding(); }, 2},
        {"remove", [](MeshStore& s) { --s.lastIndex; }, 0},
        {"append",
         [](MeshStore& s) {
             Triangle& t = s.modelTriangles[static_cast<std::size_t>(++s.lastIndex)];
             t.assign(core({0, 30, 0}, {0, 40, 0}, {0, 30, 10}));
             touch(t);
         },
         4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Symmetric s({plus});
        ASSERT_EQ(s.model().size(), 2u);
        s.edit(c.change);
        EXPECT_EQ(s.model().size(), c.count);
        EXPECT_EQ(checkSymmetry(s.e), std::nullopt);
        EXPECT_EQ(s.e.undoDepth(), 2);
        undoLast(s.e);
        EXPECT_EQ(s.model().size(), 2u);
    }
    // A triangle drawn with the mouse gets its mirror image facing the mirrored way.
    Symmetric drawn({plus});
    dispatchCommand(drawn.e, command_id::kToolDrawTriangle);
    for (const PixelPoint p : {PixelPoint{500, 100}, PixelPoint{500, 200}, PixelPoint{600, 100}}) {
        onLeftButtonDown(drawn.e, mouse_flags::kLeft, p);
        onLeftButtonUp(drawn.e, 0, p);
    }
    ASSERT_EQ(drawn.model().size(), 4u);
    EXPECT_EQ(checkSymmetry(drawn.e), std::nullopt);
    EXPECT_EQ(drawn.at(3).normal.x, drawn.at(2).normal.x); // both face the viewer
    EXPECT_EQ(drawn.at(3).normal.y, -drawn.at(2).normal.y);
}

// A corner on the plane stays on it; a corner moved across stops on it, and so does its
// partner; a triangle that is its own mirror image moves its corners' partners within itself.
TEST(Symmetry, TheSeamHoldsAndNothingCrossesIt) {
    Symmetric s({core({0, 0, 0}, {0, 10, 10}, {0, -10, 10})}); // its own mirror image
    ASSERT_EQ(s.model().size(), 1u);
    s.edit([](MeshStore& m) {
        m.modelTriangles[0].v[0].y = 3; // off the seam
        m.modelTriangles[0].v[1].y = 15;
        touch(m.modelTriangles[0]);
    });
    auto t = s.model()[0];
    EXPECT_EQ(t.v[0], (std::array<double, 3>{0, 0, 0}));
    EXPECT_EQ(t.v[2], (std::array<double, 3>{0, -15, 10}));
    s.edit([](MeshStore& m) { // across
        m.modelTriangles[0].v[1].y = -30;
        touch(m.modelTriangles[0]);
    });
    t = s.model()[0];
    EXPECT_EQ(t.v[1][1], 0.0);
    EXPECT_EQ(t.v[2][1], 0.0);
}

// An edit that would pass 3000 triangles with its mirror images is refused, the model and its
// history as they were, with the capacity warning.
TEST(Symmetry, MirrorImagesPastTheCapacityAreRefused) {
    std::vector<TriangleCore> model;
    for (int i = 0; i < 1499; ++i) {
        const double y = 1 + i;
        model.push_back(core({0, y, 0}, {0, y + 1, 0}, {0, y, 1}));
        model.push_back(mirrored(model.back(), MirrorPlane::LeftRight));
    }
    model.push_back(core({0, 0, 0}, {0, 0, 5}, {1, 0, 0})); // in the plane
    Symmetric s(model);
    ASSERT_EQ(s.model().size(), 2999u);
    ASSERT_TRUE(s.e.document.symmetry.on);
    s.e.setModified(false); // as after a save
    const int undoDepth = s.e.undoDepth();
    const std::uint64_t serial = s.e.historySerial();
    s.edit([](MeshStore& m) {
        Triangle& t = m.modelTriangles[static_cast<std::size_t>(++m.lastIndex)];
        t.assign(core({0, 5000, 0}, {0, 5001, 0}, {0, 5000, 1}));
        touch(t);
    });
    EXPECT_EQ(s.model().size(), 2999u);
    // The refused edit leaves no step behind, and the document as unmodified as it was.
    EXPECT_EQ(s.e.undoDepth(), undoDepth);
    EXPECT_EQ(s.e.historySerial(), serial);
    EXPECT_FALSE(s.e.document.modified);
    EXPECT_EQ(s.host.dialogs, std::vector<int>{kTooManyPolygonsDialog});
    EXPECT_EQ(checkSymmetry(s.e), std::nullopt);
}

// The plane comes from dialog 401; the pane that sees it edge-on shows it as a line.
TEST(Symmetry, ThePlaneIsChosenInItsDialogAndShownEdgeOn) {
    std::ostringstream out;
    BatchPlayer player(out, out);
    for (const char* line : {"answer ok 1411=1", "command 33031", "command 33030"}) {
        ASSERT_FALSE(player.runLine(line)) << line;
    }
    Editor& e = player.editor();
    EXPECT_EQ(e.document.symmetry.plane, MirrorPlane::UpDown);
    EXPECT_TRUE(e.document.symmetry.on);
    ASSERT_TRUE(stepFrame(e).symmetryLine); // the front view looks along z = 0
    const auto line = *stepFrame(e).symmetryLine;
    EXPECT_EQ(line[0].y, line[1].y);
    e.pane().camera.horizontalAxisAngle = 1.5707963267948966; // from above: face on
    EXPECT_FALSE(stepFrame(e).symmetryLine);
}

// Symmetry is kept with the document: turning it on marks the document modified, a save
// keeps it and its plane and reopening turns it on again; off, the file is a plain document.
// A damaged record is told, and the model opens with symmetry off.
TEST(Symmetry, IsSavedWithTheDocument) {
    const std::string path = ::testing::TempDir() + "/fcw-symmetry.fcw";
    Symmetric s({core({0, 0, 0}, {5, 0, 0}, {0, 5, 0})}, MirrorPlane::UpDown);
    ASSERT_TRUE(s.e.document.symmetry.on);
    EXPECT_TRUE(s.e.document.modified);
    ASSERT_TRUE(saveDocumentFile(s.e, path));
    const auto reopen = [&](Editor& e) {
        e.pane().camera.clientRect = {0, 0, 800, 600};
        ASSERT_TRUE(openDocumentFile(e, path));
        EXPECT_EQ(e.document.store.lastIndex, 0);
    };
    {
        FakeHost host;
        Editor e{host};
        reopen(e);
        EXPECT_TRUE(e.document.symmetry.on);
        EXPECT_EQ(e.document.symmetry.plane, MirrorPlane::UpDown);
        EXPECT_TRUE(host.messages.empty());
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
    in.close();
    bytes.back() = 9; // the plane, the record's one byte
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::ssize(bytes));
    {
        FakeHost host;
        Editor e{host};
        reopen(e);
        EXPECT_FALSE(e.document.symmetry.on);
        EXPECT_EQ(host.messages.size(), 1u);
    }
    dispatchCommand(s.e, command_id::kSymmetry); // off
    ASSERT_TRUE(saveDocumentFile(s.e, path));
    EXPECT_EQ(
        std::filesystem::file_size(path), // the records alone
        encodeDocument(s.e.document.store.modelTriangles, s.e.document.store.lastIndex).size());
}

} // namespace
} // namespace fcw
