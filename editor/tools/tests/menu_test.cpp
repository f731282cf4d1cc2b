// The "Start Tool" submenu.
#include "editor/tools/tool_menu.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ItemText(HMENU menu, int position)
{
    char text[64] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

bool Greyed(HMENU menu, int position)
{
    return (GetMenuState(menu, position, MF_BYPOSITION) & MF_GRAYED) != 0;
}

CToolList Tools(std::initializer_list<const char*> names)
{
    CToolList list;
    for (const char* n : names) {
        CToolInfo t;
        t.Toolname = n;
        list.Add(t);
    }
    return list;
}

} // namespace

TEST(StartToolMenu, ItemsFollowTheToolBar)
{
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 1, "old item");
    AppendMenuA(popup, MF_STRING, 32819, "Tool settings");
    AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Start Tool");

    CToolList tools = Tools({"make", "assemble", "link"});
    tools.Remove(1);
    ASSERT_TRUE(UpdateStartToolMenu(popup, tools, false));
    ASSERT_EQ(GetMenuItemCount(sub), 2);
    EXPECT_EQ(ItemText(sub, 1), "link");
    EXPECT_EQ(GetMenuItemID(sub, 1), 32871u);
    EXPECT_FALSE(Greyed(popup, 1));

    // While a tool runs the submenu is greyed.
    EXPECT_TRUE(UpdateStartToolMenu(popup, tools, true));
    EXPECT_TRUE(Greyed(popup, 1));
    // Without tools too.
    EXPECT_TRUE(UpdateStartToolMenu(popup, CToolList(), false));
    EXPECT_TRUE(Greyed(popup, 1));
    EXPECT_EQ(GetMenuItemCount(sub), 0);
    DestroyMenu(popup);
}

TEST(StartToolMenu, OtherPopupsAreLeftAlone)
{
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 1, "keep");
    AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Recent Files");
    EXPECT_FALSE(UpdateStartToolMenu(popup, Tools({"make"}), false));
    EXPECT_EQ(GetMenuItemCount(sub), 1);
    DestroyMenu(popup);
}
