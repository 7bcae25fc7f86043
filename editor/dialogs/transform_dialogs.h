#pragma once

#include "editor/dialog_ids.h"
#include "editor/host.h"
#include "ops/symmetry.h"

#include <optional>
#include <string>

namespace fcw {

// Dialog 313 "回転": angle (1100) in degrees, clockwise (1092) or counter-clockwise (1093),
// preset buttons 1094-1098. Opens at 0 degrees, clockwise.
class RotateDialog : public Dialog {
  public:
    static constexpr int kAngle = 1100;
    static constexpr int kClockwise = 1092;
    static constexpr int kCounterClockwise = 1093;
    static constexpr int kSet90 = 1094;
    static constexpr int kSet180 = 1095;
    static constexpr int kSet270 = 1096;
    static constexpr int kAdd45 = 1097;
    static constexpr int kAdd30 = 1098;

    RotateDialog();
    // Each preset reads the angle, changes it and writes it back; an angle box that holds no
    // number refuses the press and keeps its text.
    ButtonPress pressButton(int button) override;
    std::optional<std::string> validate() override;
    std::vector<int> radioGroup(int control) const override;
    // Radians, positive clockwise.
    double angleRadians() const;
};

// Dialog 314 "伸縮": vertical (1105), horizontal (1009) and depth (1010) factors, preset
// buttons 1102-1108, and 1109 copying the factor of the box that last lost the focus to all
// three. Opens with every factor 1.
class ScaleDialog : public Dialog {
  public:
    static constexpr int kVertical = 1105;
    static constexpr int kHorizontal = 1009;
    static constexpr int kDepth = 1010;
    static constexpr int kTimes2 = 1102;
    static constexpr int kTimes4 = 1103;
    static constexpr int kTimes10 = 1104;
    static constexpr int kTimesHalf = 1106;
    static constexpr int kTimesQuarter = 1107;
    static constexpr int kTimesTenth = 1108;
    static constexpr int kCopyToAll = 1109;

    ScaleDialog();
    // A preset reads the three boxes first: one that holds no number refuses the press and
    // nothing changes.
    ButtonPress pressButton(int button) override;
    // A factor box that lost the focus becomes the one 1109 copies; one that holds no number
    // is refused and the copied factor stays.
    std::optional<std::string> controlEdited(int control) override;
    std::optional<std::string> validate() override;
    double factor(int control) const;

  private:
    // The factor 1109 copies. 1.0 until a factor box has lost the focus.
    double lastEdited_ = 1.0;
};

// Dialog 318, the numeric vertex moves: the option "現在の視点で点の移動を行う" (1121), the
// description (1063), the number (1008) and the sign convention (1122).
class NumberInputDialog : public Dialog {
  public:
    static constexpr int kUseCurrentView = 1121;
    static constexpr int kDescription = 1063;
    static constexpr int kNumber = 1008;
    static constexpr int kSign = 1122;

    // The description and the sign convention come worded in the interface's language.
    NumberInputDialog(bool useCurrentView, const std::string& description, const std::string& sign);
    std::optional<std::string> validate() override;
    double number() const;
    bool useCurrentView() const { return value(kUseCurrentView) == "1"; }
};

// Dialog 401 "対称面": the plane of live symmetry, 左右 (1410, y = 0), 上下 (1411, z = 0) or
// 前後 (1412, x = 0). Opens at the plane in force.
class SymmetryPlaneDialog : public Dialog {
  public:
    static constexpr int kLeftRight = 1410;
    static constexpr int kUpDown = 1411;
    static constexpr int kFrontBack = 1412;

    explicit SymmetryPlaneDialog(MirrorPlane current);
    std::vector<int> radioGroup(int control) const override;
    MirrorPlane plane() const;
};

} // namespace fcw
