// The command line's forms: what each accepts, and the one-line refusals of the rest.

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace fcw {
namespace {

std::variant<CommandLine, CommandLineError> parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"facetcraftwerk"};
    argv.insert(argv.end(), args);
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, EachFormTakesItsOperandsAndOptions) {
    const struct {
        std::initializer_list<const char*> args;
        CommandForm form;
        std::vector<std::string> operands;
    } cases[] = {
        {{}, CommandForm::Window, {}},
        {{"a.fcw"}, CommandForm::Window, {"a.fcw"}},
        {{"--lang", "en", "a.fcw"}, CommandForm::Window, {"a.fcw"}},
        {{"-platform", "offscreen", "--", "--odd.fcw"}, CommandForm::Window, {"--odd.fcw"}},
        {{"--batch", "-"}, CommandForm::Batch, {"-"}},
        {{"--convert", "in.fcw", "out.glb", "--fit", "-1"},
         CommandForm::Convert,
         {"in.fcw", "out.glb"}},
        {{"--help"}, CommandForm::Help, {}},
        {{"--version"}, CommandForm::Version, {}},
    };
    for (const auto& c : cases) {
        const auto parsed = parse(c.args);
        const auto* line = std::get_if<CommandLine>(&parsed);
        ASSERT_NE(line, nullptr) << *c.args.begin();
        EXPECT_EQ(line->form, c.form);
        EXPECT_EQ(line->operands, c.operands);
    }
    const auto convert = std::get<CommandLine>(parse({"--convert", "a", "b", "--fit", "-1"}));
    ASSERT_NE(convert.option("--fit"), nullptr);
    EXPECT_EQ(convert.option("--fit")->values, std::vector<std::string>{"-1"});
    EXPECT_EQ(convert.option("--lang"), nullptr);
}

TEST(CommandLine, WrongLinesAreRefusedWithTheReason) {
    const struct {
        std::initializer_list<const char*> args;
        const char* message;
    } cases[] = {
        {{"--frobnicate"}, "unknown option '--frobnicate' (see --help)"},
        {{"a.fcw", "-x"}, "unknown option '-x' (see --help)"},
        {{"--batch"}, "--batch needs SCRIPT"},
        {{"--batch", "a", "b"}, "unexpected argument 'b' (see --help)"},
        {{"--convert", "a"}, "--convert needs IN OUT"},
        {{"--convert", "a", "b", "--fit"}, "--fit needs SIZE"},
        {{"--convert", "a", "b", "--lang", "en"}, "unknown option '--lang' (see --help)"},
        {{"--lang"}, "--lang needs ja|en"},
        {{"-display"}, "-display needs a value"},
        {{"a.fcw", "b.fcw"}, "unexpected argument 'b.fcw' (see --help)"},
        {{"--help", "x"}, "unexpected argument 'x' (see --help)"},
    };
    for (const auto& c : cases) {
        const auto parsed = parse(c.args);
        const auto* error = std::get_if<CommandLineError>(&parsed);
        ASSERT_NE(error, nullptr) << c.message;
        EXPECT_EQ(error->message, c.message);
    }
}

TEST(CommandLine, TheUsageListsEveryForm) {
    const std::string usage = usageText();
    for (const char* form :
         {"facetcraftwerk [--lang ja|en] [FILE]", "facetcraftwerk --batch SCRIPT",
          "facetcraftwerk --convert IN OUT [--fit SIZE]", "facetcraftwerk --help",
          "facetcraftwerk --version"}) {
        EXPECT_NE(usage.find(form), std::string::npos) << form;
    }
}

} // namespace
} // namespace fcw
