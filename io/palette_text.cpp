#include "io/palette_collector.h"
#include "io/palette_files.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace fcw {

// ---- the collector ----

std::string cleanPaletteName(std::string_view name) {
    std::size_t size = std::min(name.size(), kMaxPaletteNameBytes);
    // Never cut inside a UTF-8 sequence: back off its continuation bytes and its lead byte.
    if (size < name.size()) {
        while (size > 0 && (static_cast<unsigned char>(name[size]) & 0xC0) == 0x80) {
            --size;
        }
    }
    std::string out(name.substr(0, size));
    std::replace_if(
        out.begin(), out.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    // Blanks around a name would not survive a line of a written file: none are kept.
    out.erase(0, std::min(out.find_first_not_of(' '), out.size()));
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

void PaletteCollector::add(Colour colour, std::string_view name) {
    if (repeats_ == Repeats::Drop) {
        if (seen_.empty()) {
            seen_.assign(std::size_t{1} << 24, false);
        }
        const std::size_t key = colour & 0xFFFFFFu;
        if (seen_[key]) {
            return;
        }
        seen_[key] = true;
    }
    if (read_.palette.colours.size() >= kMaxPaletteColours) {
        ++read_.leftOver;
        return;
    }
    read_.palette.colours.push_back({colour & 0xFFFFFFu, cleanPaletteName(name)});
}

void PaletteCollector::setName(std::string_view name) {
    read_.palette.name = cleanPaletteName(name);
}

PaletteRead PaletteCollector::finish(const char* error) && {
    if (error == nullptr && read_.palette.colours.empty()) {
        error = kPaletteEmpty;
    }
    if (error != nullptr) {
        read_.palette = {};
        read_.leftOver = 0;
        read_.error = error;
    }
    return std::move(read_);
}

// ---- text helpers ----

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Calls `onLine` with each line, trimmed, after a UTF-8 byte-order mark if there is one.
template <typename F> void forEachLine(std::string_view text, F&& onLine) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        onLine(trimmed(text.substr(0, end)));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Exactly `digits` hex digits as a number.
std::optional<std::uint32_t> hexNumber(std::string_view s, std::size_t digits) {
    if (s.size() != digits) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (char c : s) {
        const int d = hexDigit(c);
        if (d < 0) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<std::uint32_t>(d);
    }
    return value;
}

// 0xRRGGBB as written in files, to the triangles' 0x00BBGGRR.
Colour fromRgbNumber(std::uint32_t rgb) {
    return rgbColour(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                     static_cast<int>(rgb & 0xFF));
}

// A decimal 0..255 at the front of `s`, followed by a blank or the end; consumed.
enum class Channel { Ok, OutOfRange, Malformed };
Channel takeChannel(std::string_view& s, int& value) {
    s = trimmed(s);
    const char* begin = s.data();
    const char* end = begin + s.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ptr == begin || (ptr != end && !isBlank(*ptr))) {
        return Channel::Malformed;
    }
    s.remove_prefix(static_cast<std::size_t>(ptr - begin));
    if (ec == std::errc::result_out_of_range || value < 0 || value > 255) {
        return Channel::OutOfRange;
    }
    return ec == std::errc() ? Channel::Ok : Channel::Malformed;
}

void readGplColourLine(std::string_view line, PaletteCollector& out) {
    int rgb[3] = {};
    for (int& channel : rgb) {
        if (takeChannel(line, channel) != Channel::Ok) {
            out.skip();
            return;
        }
    }
    out.add(rgbColour(rgb[0], rgb[1], rgb[2]), trimmed(line));
}

} // namespace

// ---- the readers ----

PaletteRead readGplPalette(std::string_view text) {
    PaletteCollector out;
    bool header = false;
    bool refused = false;
    forEachLine(text, [&](std::string_view line) {
        if (refused) {
            return;
        }
        if (!header) {
            header = line == "GIMP Palette";
            refused = !header;
            return;
        }
        if (line.empty() || line.front() == '#') {
            return;
        }
        if (line.starts_with("Name:")) {
            out.setName(trimmed(line.substr(5)));
        } else if (!line.starts_with("Columns:")) {
            readGplColourLine(line, out);
        }
    });
    if (!header) {
        return std::move(out).finish(
            FCW_TR_NOOP("Message", "GIMP パレットの見出し（GIMP Palette）がありません"));
    }
    return std::move(out).finish();
}

PaletteRead readHexPalette(std::string_view text) {
    PaletteCollector out;
    forEachLine(text, [&](std::string_view line) {
        if (line.empty()) {
            return;
        }
        if (const auto rgb = hexNumber(line.starts_with('#') ? line.substr(1) : line, 6)) {
            out.add(fromRgbNumber(*rgb));
        } else {
            out.skip();
        }
    });
    return std::move(out).finish();
}

PaletteRead readPaintNetPalette(std::string_view text) {
    PaletteCollector out;
    forEachLine(text, [&](std::string_view line) {
        if (line.empty() || line.front() == ';') {
            return;
        }
        if (const auto argb = hexNumber(line, 8)) {
            out.add(fromRgbNumber(*argb & 0xFFFFFFu));
        } else {
            out.skip();
        }
    });
    return std::move(out).finish();
}

PaletteRead paletteFromPixels(std::span<const std::uint32_t> argb) {
    PaletteCollector out(PaletteCollector::Repeats::Drop);
    for (std::uint32_t pixel : argb) {
        if ((pixel >> 24) != 0) {
            out.add(fromRgbNumber(pixel & 0xFFFFFFu));
        }
    }
    return std::move(out).finish();
}

PaletteRead paletteFromColours(std::span<const Colour> colours) {
    PaletteCollector out(PaletteCollector::Repeats::Drop);
    for (Colour c : colours) {
        out.add(c);
    }
    return std::move(out).finish();
}

PaletteFormat paletteFormatOf(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return PaletteFormat::Unknown;
    }
    std::string ext(path.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    constexpr std::pair<const char*, PaletteFormat> kExtensions[] = {
        {"gpl", PaletteFormat::Gpl},
        {"hex", PaletteFormat::Hex},
        {"txt", PaletteFormat::PaintNet},
        {"ase", PaletteFormat::Ase},
        {"png", PaletteFormat::Png}};
    for (const auto& [name, format] : kExtensions) {
        if (ext == name) {
            return format;
        }
    }
    return PaletteFormat::Unknown;
}

PaletteRead readPaletteBytes(PaletteFormat format, std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    switch (format) {
    case PaletteFormat::Gpl:
        return readGplPalette(text);
    case PaletteFormat::Hex:
        return readHexPalette(text);
    case PaletteFormat::PaintNet:
        return readPaintNetPalette(text);
    case PaletteFormat::Ase:
        return readAsePalette(bytes);
    case PaletteFormat::Png:
    case PaletteFormat::Unknown:
        break;
    }
    return PaletteCollector().finish(FCW_TR_NOOP("Message", "この拡張子の形式は読めません"));
}

// ---- colours as text, and the writers ----

std::optional<Colour> parseHexColour(std::string_view text) {
    text = trimmed(text);
    const auto rgb = hexNumber(text.starts_with('#') ? text.substr(1) : text, 6);
    return rgb ? std::optional<Colour>(fromRgbNumber(*rgb)) : std::nullopt;
}

std::string hexColourText(Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, colour >> 8 & 0xFF,
                  colour >> 16 & 0xFF);
    return text;
}

std::string writeGplPalette(const Palette& palette) {
    std::string out = "GIMP Palette\n";
    if (!palette.name.empty()) {
        out += "Name: " + cleanPaletteName(palette.name) + '\n';
    }
    out += "Columns: 16\n#\n";
    for (const PaletteColour& c : palette.colours) {
        char rgb[16];
        std::snprintf(rgb, sizeof rgb, "%3u %3u %3u", c.colour & 0xFF, c.colour >> 8 & 0xFF,
                      c.colour >> 16 & 0xFF);
        out += rgb;
        if (!c.name.empty()) {
            out += '\t' + cleanPaletteName(c.name);
        }
        out += '\n';
    }
    return out;
}

std::string writeHexPalette(const Palette& palette) {
    std::string out;
    for (const PaletteColour& c : palette.colours) {
        out += hexColourText(c.colour).substr(1) + '\n';
    }
    return out;
}

} // namespace fcw
