#include "editor/symmetry.h"

#include "editor/dialogs/transform_dialogs.h"
#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/tools/operation.h"

#include <algorithm>
#include <string>

namespace fcw {

namespace {

constexpr char kAsymmetricQuestion[] =
    FCW_TR_NOOP("Message", "鏡像のない三角形が %1 個あります。\n－側を＋側の鏡像で置き換えますか?");
constexpr char kCrossingKept[] = FCW_TR_NOOP("Status", "対称面をまたぐ三角形 %1 個はそのままです");

// Makes `model` the store's model: changed slots are rewritten (their selection marks stay),
// the count follows; the view list is rebuilt.
void writeModel(Editor& e, const std::vector<TriangleCore>& model) {
    MeshStore& store = e.document.store;
    const int count = std::min<int>(static_cast<int>(model.size()), kTriangleSlots);
    for (int i = 0; i < count; ++i) {
        Triangle& t = store.modelTriangles[static_cast<std::size_t>(i)];
        if (i > store.lastIndex || !sameCore(t.core(), model[static_cast<std::size_t>(i)])) {
            t.assign(model[static_cast<std::size_t>(i)]);
            t.computePolar();
            t.computeNormal();
        }
    }
    store.lastIndex = static_cast<std::int16_t>(count - 1);
    e.refreshModelToView();
}

bool sameModel(const std::vector<TriangleCore>& a, const std::vector<TriangleCore>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameCore);
}

} // namespace

std::vector<TriangleCore> liveModel(const Editor& e) {
    const MeshStore& store = e.document.store;
    int last = std::min<int>(store.lastIndex, kTriangleSlots - 1);
    if (provisionalSlot(e) >= 0) {
        --last;
    }
    std::vector<TriangleCore> out;
    out.reserve(static_cast<std::size_t>(std::max(last + 1, 0)));
    for (int i = 0; i <= last; ++i) {
        out.push_back(store.modelTriangles[static_cast<std::size_t>(i)].core());
    }
    return out;
}

namespace {

void rememberHistory(Editor& e) {
    SymmetryState& s = e.document.symmetry;
    s.referenceSerial = e.document.undo.serial;
    s.referenceRedoDepth = e.document.undo.redoDepth;
    s.referenceModified = e.document.modified;
}

// Puts the model back as `before` after a refused edit; the one counted edit since `before`
// was kept, if there is one, is taken back with it.
void refuseEdit(Editor& e, const std::vector<TriangleCore>& before) {
    SymmetryState& s = e.document.symmetry;
    e.document.selection.clear(e.document.store);
    writeModel(e, before);
    if (e.document.undo.serial == s.referenceSerial + 1) {
        e.document.undo.withdrawLast(s.referenceRedoDepth, s.referenceSerial);
        e.setModified(s.referenceModified);
    }
}

} // namespace

void resetSymmetryReference(Editor& e) {
    SymmetryState& s = e.document.symmetry;
    s.modelReplaced = false;
    rememberHistory(e);
    if (!s.on) { // nothing to compare with until it is turned on
        s.reference.clear();
        s.referenceMadeSymmetric = false;
        return;
    }
    s.reference = liveModel(e);
    const std::vector<int> partner = mirrorPartners(s.reference, s.plane);
    s.referenceMadeSymmetric = true;
    for (std::size_t i = 0; i < partner.size(); ++i) {
        s.referenceMadeSymmetric =
            s.referenceMadeSymmetric && (partner[i] >= 0 || crossesPlane(s.reference[i], s.plane));
    }
}

void keepSymmetric(Editor& e) {
    SymmetryState& s = e.document.symmetry;
    if (!s.on || provisionalSlot(e) >= 0) {
        return; // a triangle being drawn is taken up once it is finished
    }
    std::vector<TriangleCore> model = liveModel(e);
    if (!s.modelReplaced && sameModel(model, s.reference)) {
        return;
    }
    std::vector<TriangleCore> before = std::move(s.reference);
    // What the edit left follows the model before it: symmetric if that one was (an undo may
    // have brought back one that is not), and a whole new model is made so.
    const bool symmetric = s.modelReplaced || s.referenceMadeSymmetric;
    auto keep = [&] {
        s.reference = liveModel(e);
        s.referenceMadeSymmetric = symmetric;
        s.modelReplaced = false;
        rememberHistory(e);
    };
    if (s.modelReplaced) {
        int crossing = 0;
        model = mirrorPlusSide(model, s.plane, crossing);
    } else {
        const SymmetricEdit follow = followSymmetry(before, model, s.plane);
        for (auto it = follow.removeAfter.rbegin(); it != follow.removeAfter.rend(); ++it) {
            model.erase(model.begin() + *it);
        }
        model.insert(model.end(), follow.add.begin(), follow.add.end());
        if (!follow.removeAfter.empty() || follow.rebuilt) {
            e.document.selection.clear(e.document.store);
        }
    }
    if (model.size() > static_cast<std::size_t>(kMaxTriangles)) {
        refuseEdit(e, before);
        keep();
        showTooManyPolygons(e);
        e.repaint();
        return;
    }
    if (!sameModel(model, liveModel(e))) {
        writeModel(e, model);
        e.repaint();
    }
    keep();
}

void turnSymmetryOn(Editor& e) {
    SymmetryState& s = e.document.symmetry;
    const std::vector<TriangleCore> model = liveModel(e);
    const std::vector<int> partner = mirrorPartners(model, s.plane);
    const auto unmatched = std::count(partner.begin(), partner.end(), -1);
    if (unmatched > 0) {
        const std::string question =
            fillIn(e.host.translate(text_context::kMessage, kAsymmetricQuestion),
                   {std::to_string(unmatched)});
        if (e.host.messageBox(question, MessageButtons::YesNo, MessageIcon::Question) !=
            MessageResult::Yes) {
            return;
        }
        int crossing = 0;
        const std::vector<TriangleCore> made = mirrorPlusSide(model, s.plane, crossing);
        if (made.size() > static_cast<std::size_t>(kMaxTriangles)) {
            showTooManyPolygons(e);
            return;
        }
        runEdit(e, [&] { replaceModel(e, made); });
        if (crossing > 0) {
            e.host.showStatusMessage(fillIn(e.host.translate(text_context::kStatus, kCrossingKept),
                                            {std::to_string(crossing)}));
        }
    }
    s.on = true;
    resetSymmetryReference(e);
}

namespace {

// The switch, and the plane while it is on, are saved with the document: a change to them
// marks it modified.
void keptStateChanged(Editor& e, bool wasOn, MirrorPlane wasPlane) {
    const SymmetryState& s = e.document.symmetry;
    if (s.on != wasOn || (s.on && s.plane != wasPlane)) {
        e.countSettingChange();
    }
}

} // namespace

void toggleSymmetry(Editor& e) {
    const bool wasOn = e.document.symmetry.on;
    const MirrorPlane wasPlane = e.document.symmetry.plane;
    if (e.document.symmetry.on) {
        e.document.symmetry.on = false;
        resetSymmetryReference(e);
    } else {
        turnSymmetryOn(e);
    }
    keptStateChanged(e, wasOn, wasPlane);
    e.repaint();
}

void chooseSymmetryPlane(Editor& e) {
    SymmetryPlaneDialog dialog(e.document.symmetry.plane);
    if (!e.host.runDialog(dialog) || dialog.plane() == e.document.symmetry.plane) {
        return;
    }
    const bool wasOn = e.document.symmetry.on;
    const MirrorPlane wasPlane = e.document.symmetry.plane;
    e.document.symmetry.plane = dialog.plane();
    if (e.document.symmetry.on) {
        e.document.symmetry.on = false;
        turnSymmetryOn(e);
    }
    keptStateChanged(e, wasOn, wasPlane);
    e.repaint();
}

void restoreSymmetry(Editor& e, bool on, MirrorPlane plane) {
    SymmetryState& s = e.document.symmetry;
    s.plane = plane;
    const std::vector<TriangleCore> model = liveModel(e);
    const std::vector<int> partner = mirrorPartners(model, plane);
    s.on = on && std::count(partner.begin(), partner.end(), -1) == 0;
    resetSymmetryReference(e);
}

} // namespace fcw
