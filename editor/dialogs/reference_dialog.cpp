#include "editor/dialogs/reference_dialog.h"

#include "editor/dialogs/dialog_number.h"
#include "editor/interface_text.h"

#include <cmath>
#include <cstdio>

namespace fcw {

namespace {

constexpr char kWidthAboveZero[] =
    FCW_TR_NOOP("Message", "幅は 0 より大きい数字を入力してください。");

std::string formatNumber(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
}

} // namespace

ReferenceDialog::ReferenceDialog(const ReferenceSettings& s) : Dialog(kReferenceDialog) {
    setValue(kAcross, formatNumber(s.across));
    setValue(kUp, formatNumber(s.up));
    setValue(kWidth, formatNumber(s.width));
    setValue(kOpacity, std::to_string(s.opacity));
    setValue(kShown, s.shown ? "1" : "0");
    setValue(kLocked, s.locked ? "1" : "0");
}

std::optional<std::string> ReferenceDialog::validate() {
    const std::string range = text(text_context::kMessage, kNumberRangeMessage);
    struct Box {
        int control;
        double low;
        double high;
    };
    for (const Box& box : {Box{kAcross, -kLimit, kLimit}, Box{kUp, -kLimit, kLimit},
                           Box{kWidth, 0, kLimit}, Box{kOpacity, 0, 100}}) {
        const auto v = parseFiniteDialogNumber(value(box.control));
        if (!v) {
            return text(text_context::kMessage, kNotANumberMessage);
        }
        if (box.control == kWidth && !(*v > 0)) {
            return text(text_context::kMessage, kWidthAboveZero);
        }
        if (*v < box.low || *v > box.high) {
            return numberRangeMessage(box.low, box.high, range);
        }
    }
    return std::nullopt;
}

ReferenceSettings ReferenceDialog::settings() const {
    ReferenceSettings s;
    s.across = parseFiniteDialogNumber(value(kAcross)).value_or(0);
    s.up = parseFiniteDialogNumber(value(kUp)).value_or(0);
    s.width = parseFiniteDialogNumber(value(kWidth)).value_or(1);
    s.opacity =
        static_cast<int>(std::lround(parseFiniteDialogNumber(value(kOpacity)).value_or(50)));
    s.shown = value(kShown) == "1";
    s.locked = value(kLocked) == "1";
    return s;
}

} // namespace fcw
