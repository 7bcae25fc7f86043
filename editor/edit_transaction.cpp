#include "editor/edit_transaction.h"

#include "editor/editor.h"
#include "editor/symmetry.h"

namespace fcw {

EditTransaction::EditTransaction(Editor& editor, Start start) : editor_(editor) {
    if (start == Start::EndingOperation) {
        endOperation(editor_);
    }
}

void EditTransaction::goAhead() {
    if (!wentAhead_) {
        wentAhead_ = true;
        editor_.takeSnapshot();
    }
}

void EditTransaction::commit(EditRefresh refresh) {
    if (!wentAhead_) {
        return;
    }
    switch (refresh) {
    case EditRefresh::None:
        break;
    case EditRefresh::ModelToView:
        editor_.refreshModelToView();
        break;
    case EditRefresh::ViewToModel:
        editor_.refreshViewToModel();
        break;
    }
    editor_.countEdit();
    keepSymmetric(editor_);
}

} // namespace fcw
