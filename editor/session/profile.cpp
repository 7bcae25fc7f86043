#include "editor/session/profile.h"

#include <cerrno>
#include <sys/stat.h>

namespace fcw {

namespace {

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z') {
            ca = static_cast<unsigned char>(ca - 'A' + 'a');
        }
        if (cb >= 'A' && cb <= 'Z') {
            cb = static_cast<unsigned char>(cb - 'A' + 'a');
        }
        if (ca != cb) {
            return false;
        }
    }
    return true;
}

// mkdir -p for the folders above `path`.
void makeParentFolders(const std::string& path) {
    for (std::size_t pos = path.find('/', 1); pos != std::string::npos;
         pos = path.find('/', pos + 1)) {
        ::mkdir(path.substr(0, pos).c_str(), 0777);
    }
}

} // namespace

void Profile::parse(const std::string& text) {
    lines_.clear();
    std::string section;
    std::size_t start = 0;
    // Leading UTF-8 byte order marks are dropped, all of them: a rewrite starts with the first
    // line, and a mark kept at its front would be dropped when the rewrite is read, so the same
    // file would mean something else the second time.
    while (text.compare(start, 3, "\xEF\xBB\xBF") == 0) {
        start += 3;
    }
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        start = end + 1;

        Line line;
        line.text = raw;
        const std::string t = trim(raw);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            section = trim(t.substr(1, t.size() - 2));
            line.isHeader = true;
            line.section = section;
        } else if (!t.empty() && t.front() != ';' && t.front() != '#' &&
                   t.find('=') != std::string::npos) {
            const auto eq = t.find('=');
            line.section = section;
            line.key = trim(t.substr(0, eq));
            line.value = trim(t.substr(eq + 1));
        } else {
            line.section = section;
        }
        lines_.push_back(std::move(line));
    }
}

std::string Profile::serialise() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += '\n';
    }
    return out;
}

bool Profile::holdsAsValue(const std::string& value) {
    return value.find_first_of("\r\n") == std::string::npos && trim(value) == value;
}

FileResult Profile::load(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    FileResult r = readWholeFile(path, bytes, kMaxBytes);
    if (!r) {
        if (r.error == FileError::NotFound) {
            lines_.clear();
            return {};
        }
        return r;
    }
    parse(std::string(bytes.begin(), bytes.end()));
    return {};
}

FileResult Profile::save(const std::string& path, const WriteFaults& faults) const {
    makeParentFolders(path);
    const std::string text = serialise();
    return writeFileAtomically(path,
                               std::span<const std::uint8_t>(
                                   reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                               faults);
}

const Profile::Line* Profile::find(const std::string& section, const std::string& key) const {
    for (const Line& line : lines_) {
        if (!line.key.empty() && sameName(line.section, section) && sameName(line.key, key)) {
            return &line;
        }
    }
    return nullptr;
}

Profile::Line* Profile::find(const std::string& section, const std::string& key) {
    return const_cast<Line*>(static_cast<const Profile*>(this)->find(section, key));
}

std::optional<std::string> Profile::getString(const std::string& section,
                                              const std::string& key) const {
    const Line* line = find(section, key);
    if (line == nullptr) {
        return std::nullopt;
    }
    return line->value;
}

bool Profile::setString(const std::string& section, const std::string& key,
                        const std::string& value) {
    if (value.find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    if (Line* line = find(section, key)) {
        line->value = value;
        line->text = key + "=" + value;
        return true;
    }
    Line entry;
    entry.section = section;
    entry.key = key;
    entry.value = value;
    entry.text = key + "=" + value;
    // After the section's last line, or in a new section at the end.
    std::size_t insertAt = lines_.size();
    bool found = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (sameName(lines_[i].section, section) &&
            (lines_[i].isHeader || !lines_[i].key.empty())) {
            insertAt = i + 1;
            found = true;
        }
    }
    if (!found) {
        if (!lines_.empty() && !trim(lines_.back().text).empty()) {
            Line blank;
            blank.section = lines_.back().section;
            lines_.push_back(blank);
        }
        Line header;
        header.isHeader = true;
        header.section = section;
        header.text = "[" + section + "]";
        lines_.push_back(header);
        insertAt = lines_.size();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    return true;
}

void Profile::remove(const std::string& section, const std::string& key) {
    for (auto it = lines_.begin(); it != lines_.end(); ++it) {
        if (!it->key.empty() && sameName(it->section, section) && sameName(it->key, key)) {
            lines_.erase(it);
            return;
        }
    }
}

std::uint32_t Profile::getInt(const std::string& section, const std::string& key,
                              std::uint32_t fallback) const {
    const auto text = getString(section, key);
    if (!text) {
        return fallback;
    }
    std::size_t i = 0;
    while (i < text->size() && ((*text)[i] == ' ' || (*text)[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text->size() && ((*text)[i] == '-' || (*text)[i] == '+')) {
        negative = (*text)[i] == '-';
        ++i;
    }
    if (i >= text->size() || (*text)[i] < '0' || (*text)[i] > '9') {
        return fallback;
    }
    std::uint32_t value = 0;
    for (; i < text->size() && (*text)[i] >= '0' && (*text)[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>((*text)[i] - '0');
    }
    return negative ? 0u - value : value;
}

void Profile::setInt(const std::string& section, const std::string& key, std::int32_t value) {
    setString(section, key, std::to_string(value));
}

} // namespace fcw
