#include "app/qt_settings_sheet.h"

#include "app/select_on_focus.h"
#include "app/translations.h"

#include "editor/dialogs/settings_sheet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <map>
#include <vector>

namespace fcw {

namespace {

// The widgets of one page, by control id.
struct PageWidgets {
    std::map<int, QLineEdit*> edits;
    std::map<int, QAbstractButton*> toggles;

    void load(const Dialog& model) {
        for (auto& [id, edit] : edits) {
            edit->setText(QString::fromStdString(model.value(id)));
        }
        for (auto& [id, toggle] : toggles) {
            toggle->setChecked(model.value(id) == "1");
        }
    }
    void store(Dialog& model) const {
        for (const auto& [id, edit] : edits) {
            model.setValue(id, edit->text().toStdString());
        }
        for (const auto& [id, toggle] : toggles) {
            model.setValue(id, toggle->isChecked() ? "1" : "0");
        }
    }
};

// True when a radio group's buttons fit side by side (short labels, as for the snap choices).
bool fitsInARow(const SheetControl& first) {
    std::size_t letters = 0;
    for (const SheetControl& c : settingsSheetControls()) {
        if (c.page == first.page && c.kind == SheetControl::Kind::Radio &&
            std::string(c.group) == first.group) {
            letters += interfaceText("Settings", c.label).size();
        }
    }
    return letters <= 16;
}

// Lays out one page's controls in their group boxes; each radio group gets its own exclusive
// button group.
QWidget* buildPage(int page, PageWidgets& widgets) {
    auto* widget = new QWidget;
    auto* column = new QVBoxLayout(widget);
    QBoxLayout* box = nullptr;
    std::string currentGroup = "\x01";
    std::map<std::string, QButtonGroup*> radioGroups; // by group box: one radio group each
    for (const SheetControl& c : settingsSheetControls()) {
        if (c.page != page) {
            continue;
        }
        if (c.group != currentGroup) {
            currentGroup = c.group;
            if (currentGroup.empty()) {
                box = column;
            } else {
                auto* group = new QGroupBox(interfaceText("Settings", c.group), widget);
                if (c.kind == SheetControl::Kind::Radio && fitsInARow(c)) {
                    box = new QHBoxLayout(group);
                } else {
                    box = new QVBoxLayout(group);
                }
                column->addWidget(group);
            }
        }
        const QString label = *c.label != '\0' ? interfaceText("Settings", c.label) : QString();
        switch (c.kind) {
        case SheetControl::Kind::Radio: {
            auto* button = new QRadioButton(label);
            QButtonGroup*& group = radioGroups[c.group];
            if (group == nullptr) {
                group = new QButtonGroup(widget);
            }
            group->addButton(button);
            widgets.toggles[c.id] = button;
            box->addWidget(button);
            break;
        }
        case SheetControl::Kind::Check: {
            auto* button = new QCheckBox(label);
            widgets.toggles[c.id] = button;
            box->addWidget(button);
            break;
        }
        case SheetControl::Kind::IntEdit:
        case SheetControl::Kind::RealEdit: {
            auto* row = new QHBoxLayout;
            if (!label.isEmpty()) {
                row->addWidget(new QLabel(label));
            }
            auto* edit = new QLineEdit;
            selectAllOnFocus(edit);
            edit->setObjectName(QStringLiteral("control%1").arg(c.id));
            widgets.edits[c.id] = edit;
            row->addWidget(edit);
            for (const char* text : {c.hint, c.unit}) {
                if (*text != '\0') {
                    row->addWidget(new QLabel(interfaceText("Settings", text)));
                }
            }
            box->addLayout(row);
            break;
        }
        }
    }
    column->addStretch();
    return widget;
}

} // namespace

bool execSettingsSheet(QWidget* parent, PropertySheet& sheet) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QString::fromStdString(sheet.caption()));
    auto* layout = new QVBoxLayout(&dialog);
    auto* tabs = new QTabWidget(&dialog);
    tabs->setUsesScrollButtons(false); // every page's tab in view
    layout->addWidget(tabs);
    std::vector<PageWidgets> pages(static_cast<std::size_t>(sheet.pageCount()));
    for (int i = 0; i < sheet.pageCount(); ++i) {
        PageWidgets& widgets = pages[static_cast<std::size_t>(i)];
        tabs->addTab(buildPage(i, widgets), QString::fromStdString(sheet.pageTitle(i)));
        widgets.load(sheet.page(i));
    }
    tabs->setCurrentIndex(sheet.activePage());

    auto refuse = [&](const std::string& message) {
        QMessageBox::warning(&dialog, QStringLiteral("FacetCraftwerk"),
                             QString::fromStdString(message));
    };
    QObject::connect(tabs, &QTabWidget::currentChanged, &dialog, [&](int index) {
        const int from = sheet.activePage();
        if (index == from) {
            return;
        }
        pages[static_cast<std::size_t>(from)].store(sheet.page(from));
        if (const auto problem = sheet.setActivePage(index)) {
            const QSignalBlocker blocker(tabs);
            tabs->setCurrentIndex(from);
            refuse(*problem);
            return;
        }
        pages[static_cast<std::size_t>(index)].load(sheet.page(index));
    });

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    box->button(QDialogButtonBox::Cancel)
        ->setText(interfaceText("Dialog", QT_TRANSLATE_NOOP("Dialog", "ｷｬﾝｾﾙ")));
    layout->addWidget(box);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, [&] {
        const int active = sheet.activePage();
        pages[static_cast<std::size_t>(active)].store(sheet.page(active));
        if (const auto problem = sheet.acceptActivePage()) {
            refuse(*problem);
            return; // stays open on the page
        }
        dialog.accept();
    });
    return dialog.exec() == QDialog::Accepted;
}

} // namespace fcw
