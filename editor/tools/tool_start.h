// What starting the current tool means, decided before anything runs: the
// settings dialog for a tool without a program, a keyboard macro replay,
// the "too long" message, or a run with its command line and start folder.
// The shell carries the decision out (tool_runner.h runs captured and
// redirected programs).
#pragma once

#include "editor/tools/tool_info.h"

#include <functional>
#include <string>

const int kMaxCommandLine = 260;

enum class ToolStartAction {
    kEditSettings, // no program: the single-tool settings dialog instead
    kNothing,      // no document window open
    kPlayMacro,    // the program is a keyboard macro file (".mcr")
    kTooLong,      // "Application name is too long" / "Start program"
    kCapture,      // run hidden, output into the "Output" pane
    kRedirect,     // run with output into "_stdout.txt"
    kShellOpen,    // hand the program to the shell's "open"
};

struct ToolStart {
    ToolStartAction action = ToolStartAction::kNothing;
    std::string program;     // the current tool's program path
    std::string parameters;  // expanded parameters
    std::string commandLine; // program, and a blank and the parameters when there are any
    std::string startDir;    // expanded start folder
};

// expand is the view's macro expansion, or empty when the active child has
// no view (the texts are then taken as stored).
ToolStart PrepareToolStart(const CCurrentTool& tool, bool documentWindowOpen,
                           const std::function<std::string(const std::string&)>& expand);

// The tools of the tool bar in button order; the list keeps the command ids
// at 32870 + position.
class CToolList {
public:
    // Appends a copy; the new count, or -1 when 20 tools exist.
    int Add(const CToolInfo& tool);
    void Remove(int index);
    // Moves the tool at from to the place of to (the drop on another button).
    void Move(int from, int to);
    void Clear() { tools_.clear(); }
    int Count() const { return static_cast<int>(tools_.size()); }
    // The index of the tool with the command id, or -1.
    int IndexOfCommand(int id) const;
    CToolInfo& operator[](int index) { return tools_[index]; }
    const CToolInfo& operator[](int index) const { return tools_[index]; }
    const std::vector<CToolInfo>& Tools() const { return tools_; }
    void Assign(const std::vector<CToolInfo>& tools);

    // The button's tip: the program path, or "No Application configured";
    // at most 79 characters.
    static std::string TipText(const CToolInfo& tool);

private:
    void Renumber();
    std::vector<CToolInfo> tools_;
};
