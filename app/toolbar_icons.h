#pragma once

#include <QIcon>
#include <QString>

namespace fcw {

// The 15 x 15 picture of a toolbar button. Commands without a picture of their own get the
// first letter of their tip.
QIcon toolbarIcon(int id, const QString& tip);

} // namespace fcw
