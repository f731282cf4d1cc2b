// The test host of the syntax-aware control: a view pane in the shared test
// frame holding one CNColorEditCtrl on a document's storage, a fake shell
// that records what the control asks of the program, and a C template.
#pragma once

#include "editor/editctl/undo_record.h"
#include "editor/syntax/window/ncoloreditctrl.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The program around the control, as far as the tests need it. The symbol
// maps are guarded by a lock as the browser's are.
class CFakeShell : public CNeutralEditorShell {
public:
    struct MacroEvent {
        intptr_t value;
        int extra;
        uint32_t kind;
    };
    std::vector<MacroEvent> macro;
    std::mutex mapsLock;
    CBrowserMaps maps;
    bool autoBrowser = true;
    bool outputBar = true;
    std::vector<int> panesShown;
    std::vector<std::string> tags;
    std::vector<std::string> lookups;
    std::string title = "main.c";
    std::vector<std::pair<int, std::string>> bookmarks; // line, name
    std::vector<std::pair<std::string, std::string>> textMacros;
    std::vector<std::string> status;
    std::vector<int> panes;     // the pane of each status text
    std::vector<int> progress;
    std::string askAnswer;            // what the input dialog returns
    int askKeys = 0;                  // the keys held as it closes
    std::vector<std::string> asked;   // caption and start text of each
    int pending = 0;
    int activated = 0;

    void RecordMacroEvent(intptr_t value, int extra, uint32_t kind) override
    {
        macro.push_back(MacroEvent{value, extra, kind});
    }
    int LookupSymbols(const std::string& name, CSymbolHitLists& hits) override;
    bool AutoBrowserEnabled() override { return autoBrowser; }
    bool OutputBarVisible() override { return outputBar; }
    void ShowAndClearPane(int pane) override
    {
        panesShown.push_back(pane);
        tags.clear();
    }
    void AppendPaneLine(int pane, const std::string& line) override
    {
        if (pane == kPaneTags)
            tags.push_back(line);
    }
    void SetStatusText(int pane, const std::string& text) override
    {
        status.push_back(text);
        panes.push_back(pane);
    }
    void SetProgress(int percent) override { progress.push_back(percent); }
    std::string DocumentTitle(CNColorEditCtrl&) override { return title; }
    bool HasBookmark(CNColorEditCtrl&, int line) override;
    void AddBookmark(CNColorEditCtrl&, int line, const std::string& name) override
    {
        bookmarks.emplace_back(line, name);
    }
    void RemoveBookmark(CNColorEditCtrl&, int line) override;
    int TextMacroCount() override { return static_cast<int>(textMacros.size()); }
    bool GetTextMacro(int index, std::string& name, std::string& text) override;
    bool AskLine(const std::string& caption, const std::string&, std::string& text, int& keys) override
    {
        asked.push_back(caption + "|" + text);
        text = askAnswer;
        keys = askKeys;
        return true;
    }
    bool TracksPositions(CNColorEditCtrl&) override { return true; }
    void SetPendingPosition(CNColorEditCtrl&, int, int, int) override { ++pending; }
    void EditorActivated(CNColorEditCtrl&) override { ++activated; }

    // Files a symbol record under its key into one of the maps.
    CSymbolInfo* Add(CSymbolMap& map, const std::string& key, int kind, int firstLine, int lastLine,
                     const char* name, const char* file, const CSymbolInfo* owner = nullptr,
                     const char* className = nullptr);
};

// What the view hears from the control.
struct ViewLog {
    std::vector<UINT> commands;
    int caretMoved = 0;
};

class CSyntaxHost {
public:
    explicit CSyntaxHost(std::unique_ptr<CNColorEditCtrl> control = nullptr, int lines = 10, int columns = 40);
    ~CSyntaxHost();
    CSyntaxHost(const CSyntaxHost&) = delete;
    CSyntaxHost& operator=(const CSyntaxHost&) = delete;

    CFakeShell shell;
    CTextState document;
    std::unique_ptr<CUndoList> undo;
    std::unique_ptr<CNColorEditCtrl> edit;
    winui::CWnd* view = nullptr;
    ViewLog viewLog;

    void SetText(const char* text, int selStart = 0, int selEnd = -2);
    std::string Text() const;
    int SelStart() const { return edit->Core().State().selStart; }
    int SelEnd() const { return edit->Core().State().selEnd; }
    // The attribute bytes of the whole text after a paint.
    std::string Attributes();
    void Paint();

    void Key(UINT vk, int modifiers = 0);
    void Char(char c);
    void Type(const char* text);
    POINT Cell(int column, int row) const;
};

// A C template: comments colour 3, "int" and "return" colour 2 whole word,
// "#if" to word end colour 1.
SyntaxTemplatePtr MakeCTemplate();
