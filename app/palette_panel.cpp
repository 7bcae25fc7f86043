#include "app/palette_panel.h"

#include "app/translations.h"
#include "editor/command_ids.h"
#include "editor/commands/palette_commands.h"

#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace fcw {

namespace {

QColor qColour(Colour c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF),
                  static_cast<int>(c >> 16 & 0xFF));
}

} // namespace

SwatchGrid::SwatchGrid(Editor& editor, std::function<void(std::size_t)> onPick, QWidget* parent)
    : QWidget(parent), editor_(editor), onPick_(std::move(onPick)) {
    showPalette();
}

QRect SwatchGrid::swatchRect(std::size_t index) const {
    const int i = static_cast<int>(index);
    return {i % kColumns * kSwatchPixels, i / kColumns * kSwatchPixels, kSwatchPixels,
            kSwatchPixels};
}

int SwatchGrid::swatchAt(QPoint point) const {
    if (point.x() < 0 || point.y() < 0 || point.x() >= kColumns * kSwatchPixels) {
        return -1;
    }
    const int index = point.y() / kSwatchPixels * kColumns + point.x() / kSwatchPixels;
    return index < static_cast<int>(editor_.services.palette.colours.size()) ? index : -1;
}

void SwatchGrid::showPalette() {
    const int count = static_cast<int>(editor_.services.palette.colours.size());
    const int rows = std::max(1, (count + kColumns - 1) / kColumns);
    setFixedSize(kColumns * kSwatchPixels + 1, rows * kSwatchPixels + 1);
    update();
}

void SwatchGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const Colour current = editor_.session.interaction.currentColour;
    for (std::size_t i = 0; i < editor_.services.palette.colours.size(); ++i) {
        const Colour c = editor_.services.palette.colours[i].colour;
        const QRect r = swatchRect(i);
        p.fillRect(r, qColour(c));
        p.setPen(QColor(64, 64, 64));
        p.drawRect(r);
        if (c == current) {
            // The current colour is framed black and white, to show on any colour.
            p.setPen(Qt::white);
            p.drawRect(r.adjusted(1, 1, -1, -1));
            p.setPen(Qt::black);
            p.drawRect(r.adjusted(2, 2, -2, -2));
        }
    }
}

void SwatchGrid::mousePressEvent(QMouseEvent* event) {
    const int index = swatchAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index >= 0) {
        onPick_(static_cast<std::size_t>(index));
    }
}

bool SwatchGrid::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = swatchAt(help->pos());
        if (index < 0) {
            QToolTip::hideText();
            return true;
        }
        const PaletteColour& c = editor_.services.palette.colours[static_cast<std::size_t>(index)];
        QString tip = QString::fromStdString(hexColourText(c.colour));
        if (!c.name.empty()) {
            tip = QString::fromStdString(c.name) + QStringLiteral("  ") + tip;
        }
        QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

PalettePanel::PalettePanel(Editor& editor, std::function<void(int)> runCommand,
                           std::function<void()> afterInput, QWidget* parent)
    : QDockWidget(interfaceText("Dialog", QT_TRANSLATE_NOOP("Dialog", "パレット")), parent),
      editor_(editor), afterInput_(std::move(afterInput)) {
    setObjectName(QStringLiteral("palettePanel"));
    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    grid_ = new SwatchGrid(
        editor,
        [this](std::size_t index) {
            pickPaletteColour(editor_, index);
            afterInput_();
        },
        body);
    column->addWidget(grid_);
    field_ = new QLineEdit(body);
    field_->setPlaceholderText(QStringLiteral("#RRGGBB"));
    field_->setToolTip(interfaceText("Dialog", QT_TRANSLATE_NOOP("Dialog", "色を #RRGGBB で入力")));
    QObject::connect(field_, &QLineEdit::returnPressed, this, [this] {
        if (takeTypedColour(editor_, field_->text().toStdString())) {
            field_->clear();
        }
        afterInput_();
    });
    column->addWidget(field_);
    // The panel's own buttons send the menu's commands.
    auto* buttons = new QHBoxLayout;
    const std::pair<int, const char*> kButtons[] = {
        {command_id::kLoadPalette, QT_TRANSLATE_NOOP("Dialog", "読み込む")},
        {command_id::kExportPalette, QT_TRANSLATE_NOOP("Dialog", "書き出す")},
        {command_id::kPaletteFromModel, QT_TRANSLATE_NOOP("Dialog", "モデルの色")}};
    for (const auto& [id, text] : kButtons) {
        auto* button = new QToolButton(body);
        button->setText(interfaceText("Dialog", text));
        button->setObjectName(QStringLiteral("command%1").arg(id));
        QObject::connect(button, &QToolButton::clicked, this,
                         [runCommand, id = id] { runCommand(id); });
        buttons->addWidget(button);
    }
    column->addLayout(buttons);
    column->addStretch();
    setWidget(body);
}

void PalettePanel::showPalette() {
    grid_->showPalette();
}

} // namespace fcw
