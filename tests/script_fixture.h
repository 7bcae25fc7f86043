#pragma once

#include "editor/batch/batch_player.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace fcw::testing {

// A fresh editor in an 800 x 600 view (origin at (400, 300)) driven by batch-script lines.
class ScriptTest : public ::testing::Test {
  protected:
    std::ostringstream out;
    std::ostringstream err;
    BatchPlayer player{out, err};
    Editor& e = player.editor();

    void run(const std::string& line) { ASSERT_FALSE(player.runLine(line)) << line; }
    void run(std::initializer_list<const char*> lines) {
        for (const char* line : lines) {
            run(std::string(line));
        }
    }
};

} // namespace fcw::testing
