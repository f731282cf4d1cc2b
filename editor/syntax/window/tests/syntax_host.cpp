#include "syntax_host.h"

#include "editor/editctl/window/tests/test_host.h"
#include "editor/symbols/tests/symbol_fixture.h"

#include <algorithm>

int CFakeShell::LookupSymbols(const std::string& name, CSymbolHitLists& hits)
{
    lookups.push_back(name);
    std::lock_guard<std::mutex> hold(mapsLock);
    if (!name.empty() && name[0] == '.')
        return AppendSymbolHits(maps.variables, name.substr(1), hits);
    int n = 0;
    for (const CSymbolMap* map : {&maps.functions, &maps.variables, &maps.defines, &maps.types, &maps.enums,
                                  &maps.declarations})
        n += AppendSymbolHits(*map, name, hits);
    return n;
}

bool CFakeShell::HasBookmark(CNColorEditCtrl&, int line)
{
    return std::any_of(bookmarks.begin(), bookmarks.end(), [line](const auto& b) { return b.first == line; });
}

void CFakeShell::RemoveBookmark(CNColorEditCtrl&, int line)
{
    bookmarks.erase(std::remove_if(bookmarks.begin(), bookmarks.end(), [line](const auto& b) { return b.first == line; }),
                    bookmarks.end());
}

bool CFakeShell::GetTextMacro(int index, std::string& name, std::string& text)
{
    if (index < 0 || index >= static_cast<int>(textMacros.size()))
        return false;
    name = textMacros[static_cast<size_t>(index)].first;
    text = textMacros[static_cast<size_t>(index)].second;
    return true;
}

CSymbolInfo* CFakeShell::Add(CSymbolMap& map, const std::string& key, int kind, int firstLine, int lastLine,
                             const char* name, const char* file, const CSymbolInfo* owner, const char* className)
{
    std::lock_guard<std::mutex> hold(mapsLock);
    return AddTestSymbol(map, key, kind, firstLine, lastLine, name, file, owner, className);
}

namespace {

const char view_class[] = "SyntaxTestView";

class CLogView : public winui::CWnd {
public:
    explicit CLogView(ViewLog* log) : log_(log) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND) {
            log_->commands.push_back(LOWORD(wParam));
            return 0;
        }
        if (message == EDN_CARETMOVED) {
            ++log_->caretMoved;
            return 0;
        }
        if (message >= EDN_MOUSESELECT && message <= EDN_RECOLOUR)
            return 0;
        return winui::CWnd::WindowProc(message, wParam, lParam);
    }

private:
    ViewLog* log_;
};

} // namespace

CSyntaxHost::CSyntaxHost(std::unique_ptr<CNColorEditCtrl> control, int lines, int columns)
{
    SetTestColorTable();
    SetEditorShell(&shell);
    winui::CWnd& frame = CTestHost::Frame();
    winui::CWnd::RegisterClass(view_class, 0);
    view = new CLogView(&viewLog);
    view->CreateEx(0, view_class, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 580, 460, frame.m_hWnd,
                   nullptr);
    edit = control ? std::move(control) : std::make_unique<CNColorEditCtrl>();
    undo = std::make_unique<CUndoList>();
    document.hasModified = true;
    document.undo = undo.get();
    edit->Core().AttachState(&document);
    edit->Core().AllocBuffers(kCapacityStep);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL;
    RECT rc{0, 0, 400, 300};
    edit->Create(style, rc, view->m_hWnd, 100);
    const int width = columns * edit->m_nCharWidth + 2 * GetSystemMetrics(SM_CXVSCROLL);
    const int height = lines * edit->m_nCharHeight + 2 * GetSystemMetrics(SM_CYHSCROLL);
    SetWindowPos(edit->m_hWnd, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetForegroundWindow(frame.m_hWnd);
    edit->SetFocus();
    edit->UpdateWindow();
}

CSyntaxHost::~CSyntaxHost()
{
    edit->DestroyWindow();
    edit.reset();
    view->DestroyWindow();
    delete view;
    SetEditorShell(nullptr);
}

void CSyntaxHost::SetText(const char* text, int selStart, int selEnd)
{
    edit->Core().SetText(text);
    edit->SetSel(selStart, selEnd == -2 ? selStart : selEnd, TRUE, TRUE);
    Paint();
}

std::string CSyntaxHost::Text() const
{
    const CTextState& s = edit->Core().State();
    return s.Text() ? std::string(reinterpret_cast<const char*>(s.Text()), static_cast<size_t>(s.length))
                    : std::string();
}

void CSyntaxHost::Paint()
{
    edit->UpdateWindow();
}

std::string CSyntaxHost::Attributes()
{
    Paint();
    const CTextState& s = edit->Core().State();
    std::string out;
    for (int i = 0; i < s.length; ++i)
        out += static_cast<char>('0' + s.Attr()[i]);
    return out;
}

void CSyntaxHost::Key(UINT vk, int modifiers)
{
    CHeldModifiers held(modifiers);
    edit->SendMessage(WM_KEYDOWN, vk, 1);
    edit->SendMessage(WM_KEYUP, vk, 1 | (3u << 30));
}

void CSyntaxHost::Char(char c)
{
    edit->SendMessage(WM_CHAR, static_cast<unsigned char>(c), 1);
    edit->SendMessage(WM_KEYUP, 0, 1 | (3u << 30));
}

void CSyntaxHost::Type(const char* text)
{
    for (const char* p = text; *p; ++p)
        Char(*p);
}

POINT CSyntaxHost::Cell(int column, int row) const
{
    return POINT{column * edit->m_nCharWidth + 1, row * edit->m_nCharHeight + edit->m_nCharHeight / 2};
}

SyntaxTemplatePtr MakeCTemplate()
{
    auto tmpl = std::make_shared<CSyntaxTemplate>();
    tmpl->name = "C/C++";
    tmpl->FileAssoc = "*.c *.h";
    AddSyntaxKeyword(*tmpl, "", 3);
    AddSyntaxKeyword(*tmpl, "int", 2 | static_cast<int32_t>(SYNTAX_WHOLE_WORD));
    AddSyntaxKeyword(*tmpl, "return", 2 | static_cast<int32_t>(SYNTAX_WHOLE_WORD));
    AddSyntaxKeyword(*tmpl, "#if", 1 | static_cast<int32_t>(SYNTAX_TO_WORD_END));
    return tmpl;
}
