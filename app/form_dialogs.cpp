#include "app/form_dialogs.h"

#include "app/qt_input.h"

#include "editor/keyboard.h"
#include "editor/palette_dialog.h"
#include "editor/transform_dialogs.h"
#include "render/palette.h"
#include "render/qt_canvas.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <map>

namespace fcw {

namespace {

// Labels of the dialogs' controls; push buttons are listed with their captions.
struct ControlLayout {
    int dialog;
    int control;
    enum Kind { Edit, ReadOnly, Check, Radio, Button } kind;
    const char* label;
};

constexpr ControlLayout kLayouts[] = {
    {kNumericInputDialog, kNumericInputHorizontal, ControlLayout::Edit, "横"},
    {kNumericInputDialog, kNumericInputDepth, ControlLayout::Edit, "奥行き"},
    {kNumericInputDialog, kNumericInputVertical, ControlLayout::Edit, "縦"},
    {kRotateDialog, RotateDialog::kAngle, ControlLayout::Edit, "回転角"},
    {kRotateDialog, RotateDialog::kClockwise, ControlLayout::Radio, "時計回り"},
    {kRotateDialog, RotateDialog::kCounterClockwise, ControlLayout::Radio, "反時計回り"},
    {kRotateDialog, RotateDialog::kSet90, ControlLayout::Button, "９０度"},
    {kRotateDialog, RotateDialog::kSet180, ControlLayout::Button, "１８０度"},
    {kRotateDialog, RotateDialog::kSet270, ControlLayout::Button, "２７０度"},
    {kRotateDialog, RotateDialog::kAdd45, ControlLayout::Button, "＋４５度"},
    {kRotateDialog, RotateDialog::kAdd30, ControlLayout::Button, "＋３０度"},
    {kScaleDialog, ScaleDialog::kVertical, ControlLayout::Edit, "縦"},
    {kScaleDialog, ScaleDialog::kHorizontal, ControlLayout::Edit, "横"},
    {kScaleDialog, ScaleDialog::kDepth, ControlLayout::Edit, "奥行き"},
    {kScaleDialog, ScaleDialog::kTimes2, ControlLayout::Button, "２倍"},
    {kScaleDialog, ScaleDialog::kTimes4, ControlLayout::Button, "４倍"},
    {kScaleDialog, ScaleDialog::kTimes10, ControlLayout::Button, "１０倍"},
    {kScaleDialog, ScaleDialog::kTimesHalf, ControlLayout::Button, "０．５倍"},
    {kScaleDialog, ScaleDialog::kTimesQuarter, ControlLayout::Button, "０．２５倍"},
    {kScaleDialog, ScaleDialog::kTimesTenth, ControlLayout::Button, "０．１倍"},
    {kScaleDialog, ScaleDialog::kCopyToAll, ControlLayout::Button, "変更を他の二つにも反映させる"},
    {kNumberInputDialog, NumberInputDialog::kDescription, ControlLayout::ReadOnly, ""},
    {kNumberInputDialog, NumberInputDialog::kNumber, ControlLayout::Edit, "数値"},
    {kNumberInputDialog, NumberInputDialog::kSign, ControlLayout::ReadOnly, ""},
    {kNumberInputDialog, NumberInputDialog::kUseCurrentView, ControlLayout::Check,
     "現在の視点で点の移動を行う"},
};

const char* captionOf(int dialog) {
    switch (dialog) {
    case kNumericInputDialog:
        return "インプット";
    case kRotateDialog:
        return "回転";
    case kScaleDialog:
        return "伸縮";
    case kNumberInputDialog:
        return "数値入力ダイアログ";
    default:
        return "FacetCraftwerk";
    }
}

// A refused entry, shown over the dialog, which stays open.
void showRefusal(QWidget* dialog, const std::string& message) {
    QMessageBox::warning(dialog, QStringLiteral("FacetCraftwerk"), QString::fromStdString(message));
}

// A dialog built from the control table: edits, check and radio buttons, push buttons. The
// widgets show the model's values; the model takes them back before a button press and OK.
class FormDialog {
  public:
    FormDialog(QWidget* parent, Dialog& model) : dialog_(parent), model_(model) {
        dialog_.setWindowTitle(QString::fromUtf8(captionOf(model.resourceId())));
        auto* layout = new QVBoxLayout(&dialog_);
        form_ = new QFormLayout;
        layout->addLayout(form_);
        buttons_ = new QHBoxLayout;
        radios_ = new QButtonGroup(&dialog_);
        for (const ControlLayout& c : kLayouts) {
            if (c.dialog == model.resourceId()) {
                addControl(c);
            }
        }
        layout->addLayout(buttons_);
        auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog_);
        box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
        layout->addWidget(box);
        dialog_.setMinimumWidth(320);
        QObject::connect(box, &QDialogButtonBox::rejected, &dialog_, &QDialog::reject);
        QObject::connect(box, &QDialogButtonBox::accepted, &dialog_, [this] {
            store();
            if (const auto problem = model_.validate()) {
                showRefusal(&dialog_, *problem);
                return; // stays open
            }
            dialog_.accept();
        });
        load();
    }

    bool run() { return dialog_.exec() == QDialog::Accepted; }

  private:
    void load() {
        for (auto& [id, edit] : edits_) {
            edit->setText(QString::fromStdString(model_.value(id)));
        }
        for (auto& [id, note] : notes_) {
            note->setText(QString::fromStdString(model_.value(id)));
        }
        for (auto& [id, toggle] : toggles_) {
            toggle->setChecked(model_.value(id) == "1");
        }
    }

    void store() {
        for (auto& [id, edit] : edits_) {
            model_.setValue(id, edit->text().toStdString());
        }
        for (auto& [id, toggle] : toggles_) {
            model_.setValue(id, toggle->isChecked() ? "1" : "0");
        }
    }

    void addControl(const ControlLayout& c) {
        const QString label = QString::fromUtf8(c.label);
        const int id = c.control;
        switch (c.kind) {
        case ControlLayout::ReadOnly: {
            auto* note = new QLabel(&dialog_);
            note->setWordWrap(true);
            notes_[id] = note;
            form_->addRow(label, note);
            break;
        }
        case ControlLayout::Edit: {
            auto* edit = new QLineEdit(&dialog_);
            QObject::connect(edit, &QLineEdit::editingFinished, &dialog_, [this, id, edit] {
                model_.setValue(id, edit->text().toStdString());
                if (const auto refusal = model_.controlEdited(id)) {
                    showRefusal(&dialog_, *refusal);
                }
            });
            edits_[id] = edit;
            form_->addRow(label, edit);
            break;
        }
        case ControlLayout::Check:
        case ControlLayout::Radio: {
            QAbstractButton* b = c.kind == ControlLayout::Check
                                     ? static_cast<QAbstractButton*>(new QCheckBox(label, &dialog_))
                                     : new QRadioButton(label, &dialog_);
            if (c.kind == ControlLayout::Radio) {
                radios_->addButton(b);
            }
            toggles_[id] = b;
            form_->addRow(b);
            break;
        }
        case ControlLayout::Button: {
            auto* b = new QPushButton(label, &dialog_);
            QObject::connect(b, &QPushButton::clicked, &dialog_, [this, id] {
                store();
                if (const auto refusal = model_.pressButton(id).refusal) {
                    showRefusal(&dialog_, *refusal);
                    return; // nothing changed: the boxes keep what the user typed
                }
                load();
            });
            buttons_->addWidget(b);
            break;
        }
        }
    }

    QDialog dialog_;
    Dialog& model_;
    QFormLayout* form_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    QButtonGroup* radios_ = nullptr;
    std::map<int, QLineEdit*> edits_;
    std::map<int, QAbstractButton*> toggles_;
    std::map<int, QLabel*> notes_; // read-only texts, shown whole
};

// The palette: 125 swatches; a click on one chooses it and closes.
class PaletteWidget : public QDialog {
  public:
    PaletteWidget(QWidget* parent, Dialog& model) : QDialog(parent), model_(model) {
        setFixedSize(400, 500);
        setMouseTracking(true);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QtCanvas canvas(400, 500);
        drawPalette(canvas, hover_);
        QPainter(this).drawImage(0, 0, canvas.image());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        hover_ = pointOf(e->position());
        update();
    }
    void mousePressEvent(QMouseEvent* e) override {
        const PixelPoint p = pointOf(e->position());
        hover_ = p; // the chosen swatch is drawn enlarged as the dialog closes
        repaint();
        if (model_.clickAt(p.x, p.y)) {
            accept();
        }
    }

  private:
    Dialog& model_;
    PixelPoint hover_{-1000, -1000};
};

} // namespace

bool runFormDialog(QWidget* parent, Dialog& model) {
    return FormDialog(parent, model).run();
}

bool runPaletteDialog(QWidget* parent, Dialog& model) {
    PaletteWidget palette(parent, model);
    return palette.exec() == QDialog::Accepted;
}

} // namespace fcw
