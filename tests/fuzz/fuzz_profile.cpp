// Feeds arbitrary text to the settings profile reader and to the settings and recent-file
// readers on top of it, then starts an editor with that profile and uses every setting it
// holds: the sphere tool, the arrow keys, the settings sheet, text export and the recent-file
// list that saving a document rewrites.

#include "tests/fuzz/fuzz_support.h"

#include "editor/session/profile.h"
#include "editor/session/recent_files.h"

using namespace fcw;

namespace {

bool sameSettings(const AppSettings& a, const ViewOptions& av, const AppSettings& b,
                  const ViewOptions& bv) {
    return a.sphereLongitudeLines == b.sphereLongitudeLines &&
           a.sphereLatitudeLines == b.sphereLatitudeLines && a.angleStep == b.angleStep &&
           a.importScale == b.importScale && a.exportScale == b.exportScale &&
           a.defaultTextFormat == b.defaultTextFormat && a.exportColour == b.exportColour &&
           av.brightness == bv.brightness && av.statusVisible == bv.statusVisible &&
           av.statusFixed == bv.statusFixed && av.emphasisMode == bv.emphasisMode;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(fuzz::asText(data, size));
    Profile profile;
    profile.parse(text);
    AppSettings settings;
    ViewOptions view;
    readSettings(profile, settings, view);
    const std::vector<std::string> recent = readRecentFiles(profile);
    fuzz::check(recent.size() <= static_cast<std::size_t>(kRecentFileCount),
                "more recent files than the list holds");

    // A rewrite keeps what the program reads.
    Profile reread;
    reread.parse(profile.serialise());
    AppSettings settings2;
    ViewOptions view2;
    readSettings(reread, settings2, view2);
    fuzz::check(sameSettings(settings, view, settings2, view2), "a rewrite changed a setting");
    fuzz::check(readRecentFiles(reread) == recent, "a rewrite changed the recent files");

    // Writing the settings back and reading them again gives the same settings.
    writeSettings(reread, settings, view);
    Profile written;
    written.parse(reread.serialise());
    readSettings(written, settings2, view2);
    fuzz::check(sameSettings(settings, view, settings2, view2),
                "settings written back read differently");
    fuzz::check(readRecentFiles(written) == recent, "writing settings changed the recent files");

    // A profile over the size limit is refused when loaded (and left alone by every write).
    if (!fuzz::goesDeep(text) || size > Profile::kMaxBytes) {
        return 0;
    }
    // An editor started with this profile.
    const std::string path = fuzz::scratchPath("profile.ini");
    fuzz::putFile(path, {data, size});
    fuzz::QuietPlayer& q = fuzz::resetPlayer();
    q.run("profile " + path);
    for (const std::string& line : std::vector<std::string>{
             "size 96 72", "command 32807", "down 30 20", "move 42 33", "up 42 33", "key Left",
             "key Up", "command 32930", "key PageUp ctrl", "answer ok", "command 32798",
             "answer file " + fuzz::scratchPath("export.out"), "command 32841",
             "answer file " + fuzz::scratchPath("export.out"), "command 32892",
             "save " + fuzz::scratchPath("doc.fcw")}) {
        q.run(line);
    }
    fuzz::paintEveryWay(q.editor());

    // Saving put the document first in the recent-file list, in the profile too.
    Profile after;
    fuzz::check(static_cast<bool>(after.load(path)), "the profile cannot be read back");
    const std::vector<std::string> listed = readRecentFiles(after);
    // Entries are canonical paths.
    fuzz::check(!listed.empty() &&
                    listed.front() ==
                        std::filesystem::weakly_canonical(fuzz::scratchPath("doc.fcw")).string(),
                "the saved document is not first in the recent-file list");
    return 0;
}
