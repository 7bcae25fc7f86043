#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fcw {

// The program's command line, read before the toolkit starts, so a wrong one is reported
// without a display and without a window. Each form is a row of the table in
// command_line.cpp: the option that selects it (first on the line; none for the window), its
// operands and the options it takes. --help and the usage text come from the same table.
enum class CommandForm { Window, Batch, Convert, Render, Turntable, Help, Version };

struct GivenOption {
    std::string name;                // as written in the table, "--fit"
    std::vector<std::string> values; // as many as the option takes, verbatim
};

struct CommandLine {
    CommandForm form = CommandForm::Window;
    std::vector<std::string> operands;
    std::vector<GivenOption> options; // in the order given; toolkit options are not listed

    // The last occurrence of option `name`, or nullptr.
    const GivenOption* option(std::string_view name) const;
};

// A command line the program refuses, with the reason in one line.
struct CommandLineError {
    std::string message;
};

// Reads argv[1 .. argc). The window form also accepts the options the toolkit takes itself
// (-platform NAME, -display NAME, -style NAME, -reverse, ...) and leaves them to it. "--" ends
// the options: every later argument is an operand.
std::variant<CommandLine, CommandLineError> parseCommandLine(int argc, const char* const* argv);

// Every form with its options, as --help prints it.
std::string usageText();

// "facetcraftwerk VERSION", as --version prints it.
std::string versionText();

} // namespace fcw
