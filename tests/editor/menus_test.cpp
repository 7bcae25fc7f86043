#include "editor/commands.h"
#include "editor/menus.h"

#include <gtest/gtest.h>

#include <set>

namespace fcw {
namespace {

// Commands the window itself handles (exit, toolbar, help, the recent-file list).
const std::set<int> kWindowCommands = {57665, 59392, 32894, 57616};

void collect(const MenuItem& item, std::vector<int>& ids) {
    if (item.kind == MenuItem::Kind::Command) {
        ids.push_back(item.id);
    }
    for (const MenuItem& child : item.items) {
        collect(child, ids);
    }
}

TEST(Menus, EveryItemReachesAHandler) {
    std::vector<int> ids;
    for (const MenuItem& top : mainMenu()) {
        collect(top, ids);
    }
    collect(trianglePopup(), ids);
    collect(selectionPopup(), ids);
    for (int id : toolbarButtons()) {
        if (id != 0) {
            ids.push_back(id);
        }
    }
    EXPECT_GT(ids.size(), 150u);
    for (int id : ids) {
        EXPECT_TRUE(findCommand(id) != nullptr || kWindowCommands.count(id) != 0) << id;
    }
    EXPECT_EQ(toolbarButtons().size(), 39u);
}

} // namespace
} // namespace fcw
