#include "app/form_dialog.h"

#include "app/select_on_focus.h"
#include "app/translations.h"

#include "editor/commands/picture_commands.h"
#include "editor/dialogs/dialog_number.h"
#include "editor/dialogs/reference_dialog.h"
#include "editor/dialogs/transform_dialogs.h"
#include "editor/view/keyboard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
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
    {kNumericInputDialog, kNumericInputHorizontal, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "横")},
    {kNumericInputDialog, kNumericInputDepth, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "奥行き")},
    {kNumericInputDialog, kNumericInputVertical, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "縦")},
    {kRotateDialog, RotateDialog::kAngle, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "回転角")},
    {kRotateDialog, RotateDialog::kClockwise, ControlLayout::Radio,
     QT_TRANSLATE_NOOP("Dialog", "時計回り")},
    {kRotateDialog, RotateDialog::kCounterClockwise, ControlLayout::Radio,
     QT_TRANSLATE_NOOP("Dialog", "反時計回り")},
    {kRotateDialog, RotateDialog::kSet90, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "９０度")},
    {kRotateDialog, RotateDialog::kSet180, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "１８０度")},
    {kRotateDialog, RotateDialog::kSet270, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "２７０度")},
    {kRotateDialog, RotateDialog::kAdd45, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "＋４５度")},
    {kRotateDialog, RotateDialog::kAdd30, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "＋３０度")},
    {kScaleDialog, ScaleDialog::kVertical, ControlLayout::Edit, QT_TRANSLATE_NOOP("Dialog", "縦")},
    {kScaleDialog, ScaleDialog::kHorizontal, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "横")},
    {kScaleDialog, ScaleDialog::kDepth, ControlLayout::Edit, QT_TRANSLATE_NOOP("Dialog", "奥行き")},
    {kScaleDialog, ScaleDialog::kTimes2, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "２倍")},
    {kScaleDialog, ScaleDialog::kTimes4, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "４倍")},
    {kScaleDialog, ScaleDialog::kTimes10, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "１０倍")},
    {kScaleDialog, ScaleDialog::kTimesHalf, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "０．５倍")},
    {kScaleDialog, ScaleDialog::kTimesQuarter, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "０．２５倍")},
    {kScaleDialog, ScaleDialog::kTimesTenth, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "０．１倍")},
    {kScaleDialog, ScaleDialog::kCopyToAll, ControlLayout::Button,
     QT_TRANSLATE_NOOP("Dialog", "変更を他の二つにも反映させる")},
    {kNumberInputDialog, NumberInputDialog::kDescription, ControlLayout::ReadOnly, ""},
    {kNumberInputDialog, NumberInputDialog::kNumber, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "数値")},
    {kNumberInputDialog, NumberInputDialog::kSign, ControlLayout::ReadOnly, ""},
    {kNumberInputDialog, NumberInputDialog::kUseCurrentView, ControlLayout::Check,
     QT_TRANSLATE_NOOP("Dialog", "現在の視点で点の移動を行う")},
    {kReferenceDialog, ReferenceDialog::kAcross, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "横")},
    {kReferenceDialog, ReferenceDialog::kUp, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "縦")},
    {kReferenceDialog, ReferenceDialog::kWidth, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "幅")},
    {kReferenceDialog, ReferenceDialog::kOpacity, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "不透明度")},
    {kReferenceDialog, ReferenceDialog::kShown, ControlLayout::Check,
     QT_TRANSLATE_NOOP("Dialog", "表示")},
    {kReferenceDialog, ReferenceDialog::kLocked, ControlLayout::Check,
     QT_TRANSLATE_NOOP("Dialog", "固定")},
    {kSymmetryPlaneDialog, SymmetryPlaneDialog::kLeftRight, ControlLayout::Radio,
     QT_TRANSLATE_NOOP("Dialog", "左右")},
    {kSymmetryPlaneDialog, SymmetryPlaneDialog::kUpDown, ControlLayout::Radio,
     QT_TRANSLATE_NOOP("Dialog", "上下")},
    {kSymmetryPlaneDialog, SymmetryPlaneDialog::kFrontBack, ControlLayout::Radio,
     QT_TRANSLATE_NOOP("Dialog", "前後")},
    {kTurntableDialog, TurntableDialog::kFrames, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "コマ数")},
    {kTurntableDialog, TurntableDialog::kWidth, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "幅（ピクセル）")},
    {kTurntableDialog, TurntableDialog::kHeight, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "高さ（ピクセル）")},
    {kTurntableDialog, TurntableDialog::kDelay, ControlLayout::Edit,
     QT_TRANSLATE_NOOP("Dialog", "コマの間隔（ミリ秒）")},
    {kTurntableDialog, TurntableDialog::kTransparent, ControlLayout::Check,
     QT_TRANSLATE_NOOP("Dialog", "背景を透明にする")},
};

const char* captionOf(int dialog) {
    switch (dialog) {
    case kNumericInputDialog:
        return QT_TRANSLATE_NOOP("Dialog", "インプット");
    case kRotateDialog:
        return QT_TRANSLATE_NOOP("Dialog", "回転");
    case kScaleDialog:
        return QT_TRANSLATE_NOOP("Dialog", "伸縮");
    case kNumberInputDialog:
        return QT_TRANSLATE_NOOP("Dialog", "数値入力ダイアログ");
    case kTurntableDialog:
        return QT_TRANSLATE_NOOP("Dialog", "回転アニメーションの書き出し");
    case kReferenceDialog:
        return QT_TRANSLATE_NOOP("Dialog", "下絵の設定");
    case kSymmetryPlaneDialog:
        return QT_TRANSLATE_NOOP("Dialog", "対称面");
    default:
        return "FacetCraftwerk";
    }
}

// A refused entry, shown over the dialog, which stays open.
void showRefusal(QWidget* dialog, const std::string& message) {
    QMessageBox::warning(dialog, QStringLiteral("FacetCraftwerk"), QString::fromStdString(message));
}

// The widgets of one form dialog and their exchange with the dialog's model.
class FormDialog {
  public:
    FormDialog(QWidget* parent, Dialog& model);
    bool exec();

  private:
    void addControl(const ControlLayout& c);
    void addEdit(int id, const QString& label);
    void addToggle(const ControlLayout& c, const QString& label);
    void addPushButton(int id, const QString& label);
    void addOkCancel();
    // Model to widgets.
    void load();
    // Widgets to model (read-only texts are the model's own).
    void store();

    Dialog& model_;
    QDialog dialog_;
    QVBoxLayout* layout_ = nullptr;
    QFormLayout* form_ = nullptr;
    // The push buttons, three to a row (a long caption takes a row of its own), so that a
    // dialog stays narrow enough for its screen in every language.
    QGridLayout* buttons_ = nullptr;
    int buttonCount_ = 0;
    QButtonGroup* radios_ = nullptr;
    std::map<int, QLineEdit*> edits_;
    std::map<int, QAbstractButton*> toggles_;
    std::map<int, QLabel*> notes_; // read-only texts, shown whole
};

FormDialog::FormDialog(QWidget* parent, Dialog& model) : model_(model), dialog_(parent) {
    dialog_.setWindowTitle(interfaceText("Dialog", captionOf(model.resourceId())));
    layout_ = new QVBoxLayout(&dialog_);
    form_ = new QFormLayout;
    layout_->addLayout(form_);
    buttons_ = new QGridLayout;
    radios_ = new QButtonGroup(&dialog_);
    for (const ControlLayout& c : kLayouts) {
        if (c.dialog == model.resourceId()) {
            addControl(c);
        }
    }
    layout_->addLayout(buttons_);
    addOkCancel();
    dialog_.setMinimumWidth(320);
}

void FormDialog::addControl(const ControlLayout& c) {
    const QString label = *c.label != '\0' ? interfaceText("Dialog", c.label) : QString();
    switch (c.kind) {
    case ControlLayout::ReadOnly: {
        auto* note = new QLabel(&dialog_);
        note->setWordWrap(true);
        notes_[c.control] = note;
        form_->addRow(label, note);
        break;
    }
    case ControlLayout::Edit:
        addEdit(c.control, label);
        break;
    case ControlLayout::Check:
    case ControlLayout::Radio:
        addToggle(c, label);
        break;
    case ControlLayout::Button:
        addPushButton(c.control, label);
        break;
    }
}

void FormDialog::addEdit(int id, const QString& label) {
    auto* edit = new QLineEdit(&dialog_);
    selectAllOnFocus(edit);
    QObject::connect(edit, &QLineEdit::editingFinished, &dialog_, [this, id, edit] {
        model_.setValue(id, edit->text().toStdString());
        if (const auto refusal = model_.controlEdited(id)) {
            showRefusal(&dialog_, *refusal);
        }
    });
    edits_[id] = edit;
    form_->addRow(label, edit);
}

void FormDialog::addToggle(const ControlLayout& c, const QString& label) {
    QAbstractButton* b = c.kind == ControlLayout::Check
                             ? static_cast<QAbstractButton*>(new QCheckBox(label, &dialog_))
                             : new QRadioButton(label, &dialog_);
    if (c.kind == ControlLayout::Radio) {
        radios_->addButton(b);
    }
    toggles_[c.control] = b;
    form_->addRow(b);
}

void FormDialog::addPushButton(int id, const QString& label) {
    auto* b = new QPushButton(label, &dialog_);
    QObject::connect(b, &QPushButton::clicked, &dialog_, [this, id] {
        store();
        if (const auto refusal = model_.pressButton(id).refusal) {
            showRefusal(&dialog_, *refusal);
            return; // nothing changed: the boxes keep what the user typed
        }
        load();
    });
    constexpr int kPerRow = 3;
    constexpr int kLongCaption = 8; // characters: wider than a third of the row
    if (label.size() > kLongCaption) {
        const int row = (buttonCount_ + kPerRow - 1) / kPerRow;
        buttons_->addWidget(b, row, 0, 1, kPerRow);
        buttonCount_ = (row + 1) * kPerRow;
    } else {
        buttons_->addWidget(b, buttonCount_ / kPerRow, buttonCount_ % kPerRow);
        ++buttonCount_;
    }
}

void FormDialog::addOkCancel() {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog_);
    box->button(QDialogButtonBox::Cancel)
        ->setText(interfaceText("Dialog", QT_TRANSLATE_NOOP("Dialog", "ｷｬﾝｾﾙ")));
    layout_->addWidget(box);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog_, &QDialog::reject);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog_, [this] {
        store();
        if (const auto problem = model_.validate()) {
            showRefusal(&dialog_, *problem);
            return; // stays open
        }
        dialog_.accept();
    });
}

void FormDialog::load() {
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

void FormDialog::store() {
    for (auto& [id, edit] : edits_) {
        model_.setValue(id, edit->text().toStdString());
    }
    for (auto& [id, toggle] : toggles_) {
        model_.setValue(id, toggle->isChecked() ? "1" : "0");
    }
}

bool FormDialog::exec() {
    load();
    return dialog_.exec() == QDialog::Accepted;
}

} // namespace

bool runFormDialog(QWidget* parent, Dialog& model) {
    FormDialog dialog(parent, model);
    return dialog.exec();
}

} // namespace fcw
