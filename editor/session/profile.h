#pragma once

#include "io/atomic_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fcw {

// A settings file in the familiar INI shape, UTF-8:
//   [section]
//   key=value
// Section and key names are matched exactly, except that ASCII letters match regardless of
// case. Lines that are not entries (comments, blank lines) and entries this program does not
// know survive a rewrite unchanged.
class Profile {
  public:
    // A profile is a few hundred bytes; one larger than this is refused by load as TooLarge
    // rather than held line by line (a 5 MB file of blank lines took over a gigabyte).
    static constexpr std::size_t kMaxBytes = 64 * 1024;

    // Whether `value` reads back as written: a line break would end the entry and put the rest
    // on lines of their own (new sections and entries), and blanks at either end are dropped
    // by the reader.
    static bool holdsAsValue(const std::string& value);

    // Parses text. Malformed lines are kept verbatim and otherwise ignored.
    void parse(const std::string& text);
    std::string serialise() const;

    // Loads `path`; a missing file gives an empty profile and counts as success. A file over
    // kMaxBytes is refused as TooLarge and the profile is left as it was.
    FileResult load(const std::string& path);
    // Writes atomically, creating the parent folders if needed.
    FileResult save(const std::string& path, const WriteFaults& faults = {}) const;

    std::optional<std::string> getString(const std::string& section, const std::string& key) const;
    // Stores nothing and returns false when `value` holds a line break, which would break the
    // file's structure. (Blanks at its ends are dropped on reading, as for any entry.)
    bool setString(const std::string& section, const std::string& key, const std::string& value);
    void remove(const std::string& section, const std::string& key);

    // The stored integer's 32 bits, or `fallback` when the entry is absent or does not start
    // with a number. Leading blanks and one sign are accepted; digits after the number are
    // ignored; larger values wrap modulo 2^32.
    std::uint32_t getInt(const std::string& section, const std::string& key,
                         std::uint32_t fallback) const;
    void setInt(const std::string& section, const std::string& key, std::int32_t value);

  private:
    struct Line {
        std::string text;    // the line as read (for non-entries) or rebuilt
        std::string section; // the section this line belongs to
        std::string key;     // empty when not an entry
        std::string value;
        bool isHeader = false;
    };
    std::vector<Line> lines_;

    Line* find(const std::string& section, const std::string& key);
    const Line* find(const std::string& section, const std::string& key) const;
};

} // namespace fcw
