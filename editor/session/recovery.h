#pragma once

#include <cstdint>
#include <string>

namespace fcw {

class Editor;

// Recovery copies. While the document has unsaved changes, each running instance keeps a copy
// of the model in the state folder (a native document, so any opener reads it, followed by a
// few lines naming the document it belongs to and the time of its last edit). A clean exit,
// Save, New and Open remove it; after a crash the next start finds it beside a stale lock and
// offers it back.

// Copies are rewritten at most this often while edits go on; a tick at least every second
// keeps the copy within a few seconds of the last edit.
inline constexpr std::int64_t kRecoveryIntervalMs = 2000;
// Copies the user declined are kept, renamed with their date; older ones are removed.
inline constexpr int kKeptAsideCopies = 5;

struct RecoveryState {
    std::string folder;              // empty: no recovery copies
    std::string copyPath;            // this instance's copy, "recovery-N.fcw" in the folder
    std::string lockPath;            // its lock, "recovery-N.lock"
    std::uint64_t writtenSerial = 0; // the history serial the copy on disk holds; 0 for none
    std::uint64_t seenSerial = 0;    // the history serial the last tick saw
    std::int64_t lastEditMs = 0;     // wall clock (ms since 1970) when it was seen changing
    std::int64_t lastWriteMs = 0;    // wall clock of the last write; 0 for never
    bool copyOnDisk = false;
};

// $XDG_STATE_HOME/FacetCraftwerk when XDG_STATE_HOME names an absolute folder, otherwise
// ~/.local/state/FacetCraftwerk; empty when neither is known.
std::string defaultStateFolder();

// Points the recovery copies at `folder`, which is created when missing. Any copy of this
// instance elsewhere is removed first. Then each copy in the folder whose lock is stale (its
// instance is gone) is offered, newest first, in a question naming its document and the time
// of its last edit: Yes opens it as a modified document with that name (after the usual save
// prompt for a modified document) and no further copy is offered this time; No sets it aside.
// A damaged copy gets the damaged-file message and is set aside. Finally this instance takes a
// slot of its own. An empty folder turns recovery off. False when the folder cannot be used
// (recovery is then off).
bool startRecovery(Editor& editor, const std::string& folder, std::int64_t nowMs);

// After input and from a timer: with unsaved changes the copy is written when the model has
// changed since the copy was made and the last write is at least kRecoveryIntervalMs old;
// without unsaved changes (after Save, New, Open) the copy is removed.
void recoveryTick(Editor& editor, std::int64_t nowMs);

// The same without waiting for the interval: writes the copy now, or removes it.
void writeRecoveryCopyNow(Editor& editor, std::int64_t nowMs);

// A clean exit: the copy is removed and the slot given up.
void stopRecovery(Editor& editor);

// What a crash leaves: the copy and its lock stay on disk, the editor forgets them (the lock
// turns stale when this process ends).
void abandonRecovery(Editor& editor);

// The wall clock in ms since 1970.
std::int64_t wallClockMs();

} // namespace fcw
