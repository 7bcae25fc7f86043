#include "app/command_line.h"

#include <algorithm>
#include <cstring>
#include <span>

#ifndef FCW_VERSION
#define FCW_VERSION "unknown"
#endif

namespace fcw {

namespace {

struct OptionRow {
    const char* name;
    const char* values; // the names of its values, blank-separated; "" for a flag
    const char* help;
};

struct FormRow {
    CommandForm form;
    const char* selector; // the first argument that chooses the form; nullptr: the window
    const char* operands; // their names, blank-separated; "[NAME]" is optional
    std::span<const OptionRow> options;
    const char* help;
};

constexpr OptionRow kWindowOptions[] = {
    {"--lang", "ja|en", "the language of the window for this run (else the settings' choice)"},
};
constexpr OptionRow kConvertOptions[] = {
    {"--fit", "SIZE", "scale about the centre so the largest extent is SIZE units"},
};
constexpr OptionRow kRenderOptions[] = {
    {"--size", "WxH", "the picture's size in pixels, 16 to 4096 a side (800x600)"},
    {"--turn", "V,H", "degrees about the vertical and the horizontal axis (0,0)"},
    {"--background", "transparent|RRGGBB", "what shows where nothing is drawn (transparent)"},
};
constexpr OptionRow kTurntableOptions[] = {
    {"--frames", "N", "frames in one turn, 1 to 360 (36)"},
    {"--size", "WxH", "each frame's size in pixels, 16 to 4096 a side (512x512)"},
    {"--delay", "MS", "milliseconds a frame, 10 to 10000 (60)"},
    {"--turn", "V,H", "degrees about the vertical and the horizontal axis of the first frame"},
    {"--background", "transparent|RRGGBB", "what shows where nothing is drawn (transparent)"},
};

// A new form is a row here (and its case in main).
constexpr FormRow kForms[] = {
    {CommandForm::Window, nullptr, "[FILE]", kWindowOptions,
     "open the editor; FILE is a document (.fcw) or a 3D model to import"},
    {CommandForm::Batch,
     "--batch",
     "SCRIPT",
     {},
     "run a script of editor actions without a window (- reads standard input)"},
    {CommandForm::Convert, "--convert", "IN OUT", kConvertOptions,
     "convert a model between the formats of the two extensions, without a window"},
    {CommandForm::Render, "--render", "IN OUT.png", kRenderOptions,
     "paint a model into a PNG picture, without a window"},
    {CommandForm::Turntable, "--turntable", "IN OUT.gif|OUT.png|OUT.webp", kTurntableOptions,
     "write a looping turntable of a model (GIF, animated PNG or WebP), without a window"},
    {CommandForm::Help, "--help", "", {}, "print this text"},
    {CommandForm::Version, "--version", "", {}, "print the version"},
};

// The toolkit's own options the window form lets through, with the number of values each
// takes; the toolkit also accepts them with two dashes.
constexpr std::pair<const char*, int> kToolkitOptions[] = {
    {"-platform", 1},      {"-platformpluginpath", 1},
    {"-platformtheme", 1}, {"-plugin", 1},
    {"-display", 1},       {"-qwindowgeometry", 1},
    {"-qwindowicon", 1},   {"-qwindowtitle", 1},
    {"-geometry", 1},      {"-session", 1},
    {"-style", 1},         {"-stylesheet", 1},
    {"-reverse", 0},       {"-widgetcount", 0},
};

std::vector<std::string> words(const char* text) {
    std::vector<std::string> out;
    for (const char* p = text; *p != '\0';) {
        const char* end = std::strchr(p, ' ');
        const std::size_t n = end ? static_cast<std::size_t>(end - p) : std::strlen(p);
        out.emplace_back(p, n);
        p += n;
        p += *p == ' ' ? 1 : 0;
    }
    return out;
}

// How many operands a form needs at least and takes at most.
std::pair<std::size_t, std::size_t> operandRange(const FormRow& form) {
    const std::vector<std::string> names = words(form.operands);
    const auto optional = static_cast<std::size_t>(
        std::count_if(names.begin(), names.end(), [](const auto& n) { return n[0] == '['; }));
    return {names.size() - optional, names.size()};
}

int toolkitValues(std::string_view arg) {
    if (arg.starts_with("--")) {
        arg.remove_prefix(1);
    }
    for (const auto& [name, values] : kToolkitOptions) {
        if (arg == name) {
            return values;
        }
    }
    return -1;
}

bool looksLikeOption(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-';
}

std::string quoted(std::string_view s) {
    return "'" + std::string(s) + "'";
}

// The arguments after the selector, against the form's row.
std::variant<CommandLine, CommandLineError> parseForm(const FormRow& row, int first, int argc,
                                                      const char* const* argv) {
    CommandLine line;
    line.form = row.form;
    bool optionsEnded = false;
    for (int i = first; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || !looksLikeOption(arg)) {
            line.operands.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const auto option = std::find_if(row.options.begin(), row.options.end(),
                                         [&](const OptionRow& o) { return arg == o.name; });
        const int toolkit = row.form == CommandForm::Window ? toolkitValues(arg) : -1;
        if (option == row.options.end() && toolkit < 0) {
            return CommandLineError{"unknown option " + quoted(arg) + " (see --help)"};
        }
        const std::vector<std::string> names =
            option != row.options.end() ? words(option->values) : std::vector<std::string>{};
        const int needed = option != row.options.end() ? static_cast<int>(names.size()) : toolkit;
        if (i + needed >= argc) {
            return CommandLineError{std::string(arg) + " needs " +
                                    (names.empty() ? "a value" : option->values)};
        }
        if (option != row.options.end()) {
            line.options.push_back({option->name, {argv + i + 1, argv + i + 1 + needed}});
        }
        i += needed;
    }
    const auto [least, most] = operandRange(row);
    if (line.operands.size() < least) {
        const std::string what = row.selector ? row.selector : "the program";
        return CommandLineError{what + " needs " + row.operands};
    }
    if (line.operands.size() > most) {
        return CommandLineError{"unexpected argument " + quoted(line.operands[most]) +
                                " (see --help)"};
    }
    return line;
}

// "facetcraftwerk --convert IN OUT [--fit SIZE]"; the window's options come before its FILE.
std::string usageLine(const FormRow& row) {
    std::string options;
    for (const OptionRow& o : row.options) {
        options += std::string(" [") + o.name + (o.values[0] ? " " : "") + o.values + "]";
    }
    const std::string operands = row.operands[0] ? std::string(" ") + row.operands : "";
    if (!row.selector) {
        return "facetcraftwerk" + options + operands;
    }
    return std::string("facetcraftwerk ") + row.selector + operands + options;
}

} // namespace

const GivenOption* CommandLine::option(std::string_view name) const {
    const auto it = std::find_if(options.rbegin(), options.rend(),
                                 [&](const GivenOption& o) { return o.name == name; });
    return it == options.rend() ? nullptr : &*it;
}

std::variant<CommandLine, CommandLineError> parseCommandLine(int argc, const char* const* argv) {
    if (argc >= 2) {
        for (const FormRow& row : kForms) {
            if (row.selector && std::strcmp(argv[1], row.selector) == 0) {
                return parseForm(row, 2, argc, argv);
            }
        }
    }
    return parseForm(kForms[0], 1, argc, argv);
}

std::string usageText() {
    std::string out = "usage:\n";
    for (const FormRow& row : kForms) {
        out += "  " + usageLine(row) + "\n      " + row.help + "\n";
        for (const OptionRow& o : row.options) {
            out += std::string("      ") + o.name + " " + o.values + ": " + o.help + "\n";
        }
    }
    out += "The window also takes the toolkit's own options (-platform NAME, -display NAME, "
           "-style NAME, ...).\n"
           "Exit status: 0 done, 1 the FILE given could not be opened, 2 a wrong command line,\n"
           "a script error or a failed conversion (one line on standard error).\n";
    return out;
}

std::string versionText() {
    return std::string("facetcraftwerk ") + FCW_VERSION;
}

} // namespace fcw
