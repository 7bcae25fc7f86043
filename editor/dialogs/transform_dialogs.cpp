#include "editor/dialogs/transform_dialogs.h"

#include "editor/dialogs/dialog_number.h"
#include "editor/interface_text.h"

#include <cstdio>

namespace fcw {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr int kFactorBoxes[] = {ScaleDialog::kVertical, ScaleDialog::kHorizontal,
                                ScaleDialog::kDepth};

std::string formatNumber(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
}

std::optional<std::string> refuseUnlessNumber(const Dialog& d, int control) {
    if (!parseFiniteDialogNumber(d.value(control))) {
        return d.text(text_context::kMessage, kNotANumberMessage);
    }
    return std::nullopt;
}

bool isFactorBox(int control) {
    return control == ScaleDialog::kVertical || control == ScaleDialog::kHorizontal ||
           control == ScaleDialog::kDepth;
}

// The value every factor takes for a preset button, or nothing for another id.
std::optional<double> scalePreset(int button, double lastEdited) {
    switch (button) {
    case ScaleDialog::kTimes2:
        return 2;
    case ScaleDialog::kTimes4:
        return 4;
    case ScaleDialog::kTimes10:
        return 10;
    case ScaleDialog::kTimesHalf:
        return 0.5;
    case ScaleDialog::kTimesQuarter:
        return 0.25;
    case ScaleDialog::kTimesTenth:
        return 0.1;
    case ScaleDialog::kCopyToAll:
        return lastEdited;
    default:
        return std::nullopt;
    }
}

} // namespace

RotateDialog::RotateDialog() : Dialog(kRotateDialog) {
    setValue(kAngle, "0");
    setValue(kClockwise, "1");
    setValue(kCounterClockwise, "0");
}

ButtonPress RotateDialog::pressButton(int button) {
    if (button < kSet90 || button > kAdd30) {
        return ButtonPress::unknown();
    }
    const auto angle = parseFiniteDialogNumber(value(kAngle));
    if (!angle) {
        return ButtonPress::refused(text(text_context::kMessage, kNotANumberMessage));
    }
    double next = *angle;
    switch (button) {
    case kSet90:
        next = 90;
        break;
    case kSet180:
        next = 180;
        break;
    case kSet270:
        next = 270;
        break;
    case kAdd45:
        next = *angle + 45;
        break;
    default: // kAdd30
        next = *angle + 30;
        break;
    }
    setValue(kAngle, formatNumber(next));
    return ButtonPress::done();
}

std::vector<int> RotateDialog::radioGroup(int control) const {
    if (control == kClockwise || control == kCounterClockwise) {
        return {kClockwise, kCounterClockwise};
    }
    return {};
}

std::optional<std::string> RotateDialog::validate() {
    return refuseUnlessNumber(*this, kAngle);
}

double RotateDialog::angleRadians() const {
    const double angle = parseFiniteDialogNumber(value(kAngle)).value_or(0.0);
    const bool clockwise = value(kCounterClockwise) != "1";
    return angle * (clockwise ? kRadiansPerDegree : -kRadiansPerDegree);
}

ScaleDialog::ScaleDialog() : Dialog(kScaleDialog) {
    for (int id : kFactorBoxes) {
        setValue(id, "1");
    }
}

std::optional<std::string> ScaleDialog::controlEdited(int control) {
    if (!isFactorBox(control)) {
        return std::nullopt;
    }
    const auto v = parseFiniteDialogNumber(value(control));
    if (!v) {
        return text(text_context::kMessage, kNotANumberMessage);
    }
    lastEdited_ = *v;
    return std::nullopt;
}

ButtonPress ScaleDialog::pressButton(int button) {
    const auto all = scalePreset(button, lastEdited_);
    if (!all) {
        return ButtonPress::unknown();
    }
    if (const auto refusal = validate()) {
        return ButtonPress::refused(*refusal);
    }
    for (int id : kFactorBoxes) {
        setValue(id, formatNumber(*all));
    }
    return ButtonPress::done();
}

std::optional<std::string> ScaleDialog::validate() {
    for (int id : kFactorBoxes) {
        if (auto refusal = refuseUnlessNumber(*this, id)) {
            return refusal;
        }
    }
    return std::nullopt;
}

double ScaleDialog::factor(int control) const {
    return parseFiniteDialogNumber(value(control)).value_or(1.0);
}

NumberInputDialog::NumberInputDialog(bool useCurrentView, const std::string& description,
                                     const std::string& sign)
    : Dialog(kNumberInputDialog) {
    setValue(kUseCurrentView, useCurrentView ? "1" : "0");
    setValue(kDescription, description);
    setValue(kNumber, "0");
    setValue(kSign, sign);
}

std::optional<std::string> NumberInputDialog::validate() {
    return refuseUnlessNumber(*this, kNumber);
}

double NumberInputDialog::number() const {
    return parseFiniteDialogNumber(value(kNumber)).value_or(0.0);
}

SymmetryPlaneDialog::SymmetryPlaneDialog(MirrorPlane current) : Dialog(kSymmetryPlaneDialog) {
    setValue(kLeftRight, current == MirrorPlane::LeftRight ? "1" : "0");
    setValue(kUpDown, current == MirrorPlane::UpDown ? "1" : "0");
    setValue(kFrontBack, current == MirrorPlane::FrontBack ? "1" : "0");
}

std::vector<int> SymmetryPlaneDialog::radioGroup(int control) const {
    if (control >= kLeftRight && control <= kFrontBack) {
        return {kLeftRight, kUpDown, kFrontBack};
    }
    return {};
}

MirrorPlane SymmetryPlaneDialog::plane() const {
    if (value(kUpDown) == "1") {
        return MirrorPlane::UpDown;
    }
    return value(kFrontBack) == "1" ? MirrorPlane::FrontBack : MirrorPlane::LeftRight;
}

} // namespace fcw
