#pragma once

#include "editor/dialog_ids.h"
#include "editor/host.h"
#include "io/document_extensions.h"

#include <optional>
#include <string>

namespace fcw {

// Dialog 400 "下絵の設定": the centre across (1400) and up (1401) and the width (1402) in the
// pane's model units, the opacity in percent (1403), shown (1404) and locked (1405). Opens
// with the image's settings; OK gives them back checked.
class ReferenceDialog : public Dialog {
  public:
    static constexpr int kAcross = 1400;
    static constexpr int kUp = 1401;
    static constexpr int kWidth = 1402;
    static constexpr int kOpacity = 1403;
    static constexpr int kShown = 1404;
    static constexpr int kLocked = 1405;
    // The largest distance and width the boxes take, in model units.
    static constexpr double kLimit = 1000000;

    explicit ReferenceDialog(const ReferenceSettings& settings);
    // Each box must hold a number within its bounds; the width must be above 0.
    std::optional<std::string> validate() override;
    // The settings the boxes hold (after validate() accepted them).
    ReferenceSettings settings() const;
};

} // namespace fcw
