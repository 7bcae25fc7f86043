#include "app/select_on_focus.h"

#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace fcw {

namespace {

class SelectAllFilter : public QObject {
  public:
    explicit SelectAllFilter(QLineEdit* edit) : QObject(edit) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            // After the event: a click that brought the focus places the cursor first, which
            // would undo a selection made now.
            QPointer<QLineEdit> edit = static_cast<QLineEdit*>(watched);
            QTimer::singleShot(0, edit, [edit] {
                if (edit != nullptr && edit->hasFocus()) {
                    edit->selectAll();
                }
            });
        }
        return false;
    }
};

} // namespace

void selectAllOnFocus(QLineEdit* edit) {
    edit->installEventFilter(new SelectAllFilter(edit));
}

} // namespace fcw
