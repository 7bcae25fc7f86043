#pragma once

#include <string>

namespace fcw {

class Editor;

// Formats a double so that it reads back to the same value: 17 significant digits, negative
// zero as -0, and NaN, Infinity, -Infinity for the non-finite values.
std::string formatNumber(double value);

// The editor's state as one line of JSON (no trailing newline): counters, tool, colour,
// modified flag, selection, camera and modelTriangles[0 .. lastIndex] in store axes. With
// includeView, also "viewTriangles" in the same form.
std::string dumpState(const Editor& editor, bool includeView);

} // namespace fcw
