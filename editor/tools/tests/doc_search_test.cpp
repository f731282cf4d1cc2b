#include "editor/tools/doc_search.h"

#include "editor/editctl/edit_core.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Lines : CNeutralFindInFilesOutput {
    std::vector<std::string> lines;
    void AppendLine(const std::string& line, bool) override { lines.push_back(line); }
};

SearchRequest Request(const char* text, uint32_t flags = 0)
{
    SearchRequest r;
    r.scope = kScopeOpenDocuments;
    r.flags = kSearchForward | kSearchStandard | flags;
    r.text = text;
    return r;
}

} // namespace

TEST(DocumentSearch, EveryHitOfEveryViewWithLineAndColumn)
{
    CColorEditCore first, second;
    ASSERT_EQ(first.SetText("int a; int b;\r/* int */\rx"), 1);
    ASSERT_EQ(second.SetText("nothing"), 1);
    first.SetSel(2, 4, false, false);
    Lines out;
    const std::vector<SearchView> views = {{&first, "C:\\src\\a.c"}, {&second, ""}, {&first, "C:\\src\\a.c"}};
    EXPECT_EQ(SearchOpenDocuments(views, Request("int"), false, out), 6);
    const std::vector<std::string> once = {
        "C:\\src\\a.c(1,1):int a; int b;", // twice on one line: two columns
        "C:\\src\\a.c(1,8):int a; int b;",
        "C:\\src\\a.c(2,4):/* int */",
    };
    std::vector<std::string> expected = {"Search for \"int\"..."};
    expected.insert(expected.end(), once.begin(), once.end());
    expected.insert(expected.end(), once.begin(), once.end()); // a second view of the same document
    expected.push_back("Found 6 matches.");
    EXPECT_EQ(out.lines, expected);
    int s = 0, e = 0;
    first.GetSel(s, e);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(e, 4);

    Lines noComments;
    EXPECT_EQ(SearchOpenDocuments({{&first, "a.c"}}, Request("int"), true, noComments), 2);
    EXPECT_EQ(noComments.lines.back(), "Found 2 matches.");
}

TEST(DocumentSearch, UntitledDocumentsAndNoHits)
{
    CColorEditCore editor;
    ASSERT_EQ(editor.SetText("Value value"), 1);
    Lines out;
    EXPECT_EQ(SearchCurrentDocument({&editor, ""}, Request("value", kSearchMatchCase | kSearchWholeWords), false, out), 1);
    EXPECT_EQ(out.lines, (std::vector<std::string>{"Search for \"value\"...", "(1,7):Value value", "Found 1 matches."}));

    Lines none;
    EXPECT_EQ(SearchCurrentDocument({&editor, ""}, Request("zzz"), false, none), 0);
    EXPECT_EQ(none.lines.back(), "Not any matches found!");

    Lines noDocument;
    EXPECT_EQ(SearchCurrentDocument({nullptr, ""}, Request("x"), false, noDocument), 0);
    EXPECT_EQ(noDocument.lines, (std::vector<std::string>{"Search for \"x\"..."}));
}
