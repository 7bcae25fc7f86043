#pragma once

namespace fcw {

// Runs a picture form without a window or a display: 0 when the picture was written, else 2
// with one line on standard error and nothing written. Every argument is checked before any
// work.
int runPictureCommand(int argc, char** argv);

} // namespace fcw
