#pragma once

class QWidget;

namespace fcw {

class PropertySheet;

// Shows the settings sheet as a tabbed dialog with OK and ｷｬﾝｾﾙ. Switching tabs and OK take the
// open page's values in through the sheet; a refused value shows its message and keeps the
// page open. True when the sheet closed with OK.
bool execSettingsSheet(QWidget* parent, PropertySheet& sheet);

} // namespace fcw
