#include "winui/script_file.h"

#include "winui/commdlg.h"
#include "winui/dialog_script.h"
#include "winui/msgbox.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <map>
#include <mutex>

namespace winui {

std::vector<std::string> SplitScriptLine(const std::string& line)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        if (i >= line.size())
            break;
        std::string word;
        if (line[i] == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                // Only \" and \\ are escapes, so that paths keep their
                // backslashes.
                if (line[i] == '\\' && i + 1 < line.size() &&
                    (line[i + 1] == '"' || line[i + 1] == '\\'))
                    ++i;
                word += line[i];
            }
            ++i; // the closing quote
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

std::string QuoteScriptText(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

void LogScriptAnswer(const std::string& line)
{
    const char* path = std::getenv("WINUI_SCRIPT_LOG");
    if (!path || !*path)
        return;
    static std::mutex log_lock;
    std::lock_guard<std::mutex> guard(log_lock);
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

namespace {

const struct {
    const char* name;
    int id;
} answer_names[] = {{"ok", IDOK},     {"cancel", IDCANCEL}, {"yes", IDYES},  {"no", IDNO},
                    {"abort", IDABORT}, {"retry", IDRETRY},  {"ignore", IDIGNORE}};

int answer_id(const std::string& word)
{
    for (const auto& a : answer_names)
        if (word == a.name)
            return a.id;
    return std::atoi(word.c_str());
}

// The button Enter presses in a box of this type.
int default_box_answer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return IDOK;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}

struct Script {
    std::mutex lock;
    std::deque<int> boxes;
    std::deque<DialogAnswer> dialogs;
    std::map<std::string, std::deque<CommonDialogAnswer>> common;
};

Script& script()
{
    static Script s;
    return s;
}

DialogAnswer dialog_answer(const std::vector<std::string>& w)
{
    DialogAnswer a;
    a.Press(w.size() < 2 ? IDOK : w[1] == "wait" ? DialogWait : answer_id(w[1]));
    for (size_t i = 2; i + 1 < w.size(); i += 2) {
        int id = std::atoi(w[i + 1].c_str());
        std::string text = i + 2 < w.size() ? w[i + 2] : "";
        if (w[i] == "set") {
            a.SetText(id, text);
            ++i;
        } else if (w[i] == "check") {
            a.Check(id, std::atoi(text.c_str()));
            ++i;
        } else if (w[i] == "select") {
            a.Select(id, text);
            ++i;
        } else if (w[i] == "click") {
            a.Click(id);
        }
    }
    return a;
}

CommonDialogAnswer common_answer(const std::vector<std::string>& w)
{
    const std::string& kind = w[0];
    if (w.size() > 1 && w[1] == "cancel")
        return CommonDialogAnswer::Cancel();
    if (kind == "open" || kind == "save" || kind == "folder")
        return CommonDialogAnswer::Paths(std::vector<std::string>(w.begin() + 1, w.end()));
    if (kind == "colour" && w.size() >= 4)
        return CommonDialogAnswer::Colour(RGB(std::atoi(w[1].c_str()), std::atoi(w[2].c_str()),
                                              std::atoi(w[3].c_str())));
    if (kind == "font" && w.size() >= 3) {
        bool bold = false, italic = false;
        for (size_t i = 3; i < w.size(); ++i) {
            bold = bold || w[i] == "bold";
            italic = italic || w[i] == "italic";
        }
        return CommonDialogAnswer::Font(w[1], std::atoi(w[2].c_str()), bold, italic);
    }
    if (kind == "print")
        return CommonDialogAnswer::Print(w.size() > 2 ? std::atoi(w[1].c_str()) : 0,
                                         w.size() > 2 ? std::atoi(w[2].c_str()) : 0);
    if (kind == "printsetup")
        return CommonDialogAnswer::Print();
    return CommonDialogAnswer::Cancel();
}

std::string describe(const CommonDialogAnswer& a, CommonDialogKind kind)
{
    std::string line = CommonDialogKindName(kind);
    if (!a.ok)
        return line + " cancel";
    switch (kind) {
    case CommonDialogKind::Open:
    case CommonDialogKind::Save:
    case CommonDialogKind::Folder:
        for (const std::string& p : a.paths)
            line += " " + QuoteScriptText(p);
        break;
    case CommonDialogKind::Colour:
        line += " " + std::to_string(GetRValue(a.colour)) + " " +
                std::to_string(GetGValue(a.colour)) + " " + std::to_string(GetBValue(a.colour));
        break;
    case CommonDialogKind::Font:
        line += " " + QuoteScriptText(a.face) + " " + std::to_string(a.points) +
                (a.bold ? " bold" : "") + (a.italic ? " italic" : "");
        break;
    case CommonDialogKind::Print:
        if (a.fromPage > 0)
            line += " " + std::to_string(a.fromPage) + " " + std::to_string(a.toPage);
        break;
    case CommonDialogKind::PrintSetup:
        line += " ok";
        break;
    }
    return line;
}

void install_hooks()
{
    SetMessageBoxHook([](const MessageBoxCall& call) {
        int answer = default_box_answer(call.type);
        {
            std::lock_guard<std::mutex> guard(script().lock);
            if (!script().boxes.empty()) {
                answer = script().boxes.front();
                script().boxes.pop_front();
            }
        }
        LogScriptAnswer("box " + QuoteScriptText(call.caption) + " " +
                        QuoteScriptText(call.text) + " " + std::to_string(answer));
        return answer;
    });
    SetDialogHook([](const DialogCall& call) {
        DialogAnswer answer = DialogAnswer().Press(IDCANCEL);
        {
            std::lock_guard<std::mutex> guard(script().lock);
            if (!script().dialogs.empty()) {
                answer = script().dialogs.front();
                script().dialogs.pop_front();
            }
        }
        LogScriptAnswer("dialog " + std::to_string(call.templateId) + " " +
                        QuoteScriptText(call.caption) + " " + std::to_string(answer.button));
        return answer.ApplyTo(call.dialog);
    });
    SetCommonDialogHook([](const CommonDialogCall& call) {
        CommonDialogAnswer answer;
        {
            std::lock_guard<std::mutex> guard(script().lock);
            auto& queue = script().common[CommonDialogKindName(call.kind)];
            if (!queue.empty()) {
                answer = queue.front();
                queue.pop_front();
            }
        }
        LogScriptAnswer(describe(answer, call.kind));
        return answer;
    });
}

} // namespace

void LoadScriptFromEnvironment()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const char* path = std::getenv("WINUI_SCRIPT");
        if (!path || !*path)
            return;
        std::ifstream in(path);
        std::string line;
        Script& s = script();
        while (std::getline(in, line)) {
            std::vector<std::string> w = SplitScriptLine(line);
            if (w.empty() || w[0][0] == '#')
                continue;
            if (w[0] == "box")
                s.boxes.push_back(w.size() > 1 ? answer_id(w[1]) : IDOK);
            else if (w[0] == "dialog")
                s.dialogs.push_back(dialog_answer(w));
            else
                s.common[w[0]].push_back(common_answer(w));
        }
        // Even an empty or unreadable script answers every box and dialog:
        // a program under test never waits for a person.
        install_hooks();
    });
}

} // namespace winui
