#include "editor/commands/clipboard_commands.h"

#include "editor/commands/file_messages.h"
#include "editor/edit_transaction.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "io/work_file.h"
#include "model/mesh_edits.h"
#include "ops/selection_walk.h"

#include <algorithm>

namespace fcw {

namespace {

constexpr char kBrokenWorkFile[] = FCW_TR_NOOP("Message", "作業ファイルが壊れています");

// Writes the whole-selected triangles to the work file. False after reporting a failure.
bool writeWorkFile(Editor& e) {
    std::vector<TriangleCore> buffer;
    forEachWholeTriangle(e.document.selection, [&](int t) {
        buffer.push_back(e.document.store.viewTriangles[static_cast<std::size_t>(t)].core());
        return true;
    });
    const std::vector<std::uint8_t> bytes = encodeWorkFile(buffer);
    const FileResult r =
        writeFileAtomically(e.services.paths.workFilePath, bytes, e.services.writeFaults);
    if (!r) {
        reportFileError(e, r, e.services.paths.workFilePath, FileAccess::Writing);
        return false;
    }
    return true;
}

} // namespace

bool canCopy(const Editor& editor) {
    return hasWholeTriangle(editor.document.selection);
}

bool workFileHasTriangles(const Editor& editor) {
    // Asked after every input event: only the header is read, and the file's size stands in
    // for the records, so a large foreign file at that path costs nothing.
    std::vector<std::uint8_t> start;
    std::uint64_t size = 0;
    if (!readFileStart(editor.services.paths.workFilePath, kWorkFileHeaderBytes, start, &size)) {
        return false;
    }
    const std::optional<int> count = workFileCount(start, size);
    return count && *count > 0;
}

void copyToWorkFile(Editor& editor) {
    if (writeWorkFile(editor)) {
        editor.document.selection.clear(editor.document.store);
    }
}

void deleteWholeTriangles(Editor& e) {
    runEdit(
        e,
        [&] {
            std::vector<int> doomed;
            forEachWholeTriangle(e.document.selection, [&](int t) {
                doomed.push_back(t);
                return true;
            });
            removeModelTriangles(e.document.store, e.document.selection, doomed);
        },
        EditRefresh::ModelToView);
    clearToolPhases(e);
    e.repaint();
}

void cutToWorkFile(Editor& editor) {
    if (writeWorkFile(editor)) {
        deleteWholeTriangles(editor);
    }
}

void pasteWorkFile(Editor& e) {
    EditTransaction edit(e); // the paste becomes the selection of the range tool
    e.setModified(true);
    std::vector<std::uint8_t> bytes;
    if (const FileResult r = readFileStart(e.services.paths.workFilePath, kMaxWorkFileBytes, bytes);
        !r) {
        reportFileError(e, r, e.services.paths.workFilePath, FileAccess::Reading);
        return;
    }
    const auto clip = decodeWorkFile(bytes);
    if (!clip) {
        e.host.messageBox(e.host.translate(text_context::kMessage, kBrokenWorkFile),
                          MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    const int count = static_cast<int>(clip->size());
    MeshStore& s = e.document.store;
    if (s.lastIndex + count >= kMaxTriangles) {
        showTooManyPolygons(e);
        return;
    }
    if (count == 0) {
        return;
    }
    edit.goAhead();

    double minY = (*clip)[0].v[0][1];
    double minZ = (*clip)[0].v[0][2];
    double maxY = minY;
    double maxZ = minZ;
    for (const TriangleCore& t : *clip) {
        for (const auto& v : t.v) {
            minY = v[1] < minY ? v[1] : minY;
            minZ = v[2] < minZ ? v[2] : minZ;
            maxY = v[1] > maxY ? v[1] : maxY;
            maxZ = v[2] > maxZ ? v[2] : maxZ;
        }
    }
    const Camera& c = e.pane().camera;
    const bool status = e.session.view.statusVisible != 0;
    for (int i = 0; i < count; ++i) {
        const auto slot = static_cast<std::size_t>(s.lastIndex + 1 + i);
        Triangle& t = s.viewTriangles[slot];
        t.assign((*clip)[static_cast<std::size_t>(i)]);
        for (Point3& p : t.v) {
            p.y -= c.centreX / c.zoom + minY;
            p.z -= c.centreY / c.zoom + minZ;
            if (status) {
                p.z += 100 / c.zoom;
            }
        }
        t.computePolar();
        t.computeNormal();
    }
    // The pasted triangles become the whole selection, marks and all.
    e.document.selection.selectTriangles(s, s.lastIndex + 1, s.lastIndex + count);

    const std::int32_t left = truncToInt32(minY);
    const std::int32_t top = truncToInt32(minZ);
    Rect r{0, 0, saturateToInt32(std::int64_t{truncToInt32(maxY)} - left),
           saturateToInt32(std::int64_t{truncToInt32(maxZ)} - top)};
    if (status) {
        r.top = 100;
        r.bottom = saturateToInt32(std::int64_t{r.bottom} + truncToInt32(100 / c.zoom));
    }
    r.right = truncToInt32(r.right * c.zoom);
    r.bottom = truncToInt32(r.bottom * c.zoom);
    e.session.tools.range.band = r;

    s.lastIndex = static_cast<std::int16_t>(s.lastIndex + count);
    activateRangeTool(e);
    edit.commit(EditRefresh::ViewToModel);
    showSelection(e, DragCounting::AlreadyCounted); // dragging the paste is part of its step
    e.repaint();
}

} // namespace fcw
