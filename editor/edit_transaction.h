#pragma once

#include <utility>

namespace fcw {

class Editor;

// Which list an edit changed, and so how the lists are brought back in step afterwards.
enum class EditRefresh {
    None,        // the edit kept both lists in step itself
    ModelToView, // the model changed: the view list is rebuilt from it
    ViewToModel, // the view list changed: the model is rebuilt from it, then the view again
};

// One counted edit. Every tool and command that changes the model for undo goes through it:
//
//     EditTransaction edit(editor); // ends the operation in progress
//     if (refused) { warn; return; } // nothing saved, nothing counted
//     edit.goAhead();                // the model before the edit is saved for undo
//     ... change the store ...
//     edit.commit(EditRefresh::ViewToModel); // lists refreshed, edit counted, document modified
//
// A tool's own step, whose operation is the edit itself (the third vertex, a sphere's release,
// a drag's first movement, a nudge run), starts WithinOperation so that nothing is ended.
class EditTransaction {
  public:
    enum class Start { EndingOperation, WithinOperation };

    explicit EditTransaction(Editor& editor, Start start = Start::EndingOperation);
    EditTransaction(const EditTransaction&) = delete;
    EditTransaction& operator=(const EditTransaction&) = delete;

    // The edit goes ahead: the model as it is now is saved for undo (once, however often this
    // is called).
    void goAhead();
    // The edit is done: the lists are refreshed as asked, the edit is counted and the document
    // marked modified. A transaction that never went ahead refreshes and counts nothing.
    void commit(EditRefresh refresh = EditRefresh::None);

  private:
    Editor& editor_;
    bool wentAhead_ = false;
};

// The whole sequence for an edit that nothing refuses once it has started.
template <class Change>
void runEdit(Editor& editor, Change&& change, EditRefresh refresh = EditRefresh::None) {
    EditTransaction edit(editor);
    edit.goAhead();
    std::forward<Change>(change)();
    edit.commit(refresh);
}

} // namespace fcw
