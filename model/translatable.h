#pragma once

// Marks an interface text for the translation catalogue. The compiler sees only the Japanese
// source text; lupdate reads the mark as QT_TRANSLATE_NOOP (tools/check-translations.sh and
// the build's lupdate call alias it) and files the text under `context`. Whoever shows the
// text looks it up under the same context, through the Host. It lives in the lowest layer so
// that every layer that words a message (io's import refusals too) can mark it.
#define FCW_TR_NOOP(context, source) source
