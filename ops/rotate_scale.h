#pragma once

#include "editor/host.h"

#include <optional>

namespace fcw {

class Editor;
struct Point3;

inline constexpr int kRotateDialog = 313;
inline constexpr int kScaleDialog = 314;

// Turns a view-frame point about the depth axis through the model origin; a positive angle
// (radians) turns clockwise on the screen, since z grows downward. Depth is unchanged.
void rotateInScreenPlane(Point3& p, double angle);

// Reads a dialog number the way the dialogs accept it: the whole text must be a number.
std::optional<double> parseDialogNumber(const std::string& text);

// Dialog 313 "回転": angle (1100) in degrees, clockwise (1092) or counter-clockwise (1093),
// preset buttons 1094-1098.
class RotateDialog : public Dialog {
public:
    RotateDialog();
    bool pressButton(int button) override;
    std::optional<std::string> validate() override;
    // Radians, positive clockwise.
    double angleRadians() const;
};

// Dialog 314 "伸縮": vertical (1105), horizontal (1009) and depth (1010) factors, preset
// buttons 1102-1108, and 1109 copying the last edited factor to all three.
class ScaleDialog : public Dialog {
public:
    ScaleDialog();
    bool pressButton(int button) override;
    void controlEdited(int control) override;
    std::optional<std::string> validate() override;
    double factor(int control) const;

private:
    double lastEdited_ = 1.0;
};

enum class RotateKind { VerticesAboutOrigin, TrianglesAboutOrigin, Triangles, Vertices };
enum class ScaleKind { Triangles, Vertices };

// The rotation and scaling commands: the dialog, then one undo step. The selection stays.
void rotateSelection(Editor& editor, RotateKind kind);
void scaleSelection(Editor& editor, ScaleKind kind);

} // namespace fcw
