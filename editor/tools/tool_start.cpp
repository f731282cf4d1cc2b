#include "editor/tools/tool_start.h"

ToolStart PrepareToolStart(const CCurrentTool& tool, bool documentWindowOpen,
                           const std::function<std::string(const std::string&)>& expand)
{
    ToolStart start;
    start.program = tool.AppExe;
    if (tool.AppExe.empty()) {
        start.action = ToolStartAction::kEditSettings;
        return start;
    }
    if (!documentWindowOpen)
        return start;
    if (HasExtension(tool.AppExe, "mcr")) {
        start.action = ToolStartAction::kPlayMacro;
        return start;
    }
    start.parameters = expand ? expand(tool.AppParms) : tool.AppParms;
    if (tool.AppExe.size() + start.parameters.size() + 1 > static_cast<size_t>(kMaxCommandLine)) {
        start.action = ToolStartAction::kTooLong;
        return start;
    }
    start.commandLine = tool.AppExe;
    if (!start.parameters.empty())
        start.commandLine += " " + start.parameters;
    start.startDir = expand ? expand(tool.AppDir) : tool.AppDir;
    if (tool.CaptureOut)
        start.action = ToolStartAction::kCapture;
    else if (tool.RedirToFile)
        start.action = ToolStartAction::kRedirect;
    else
        start.action = ToolStartAction::kShellOpen;
    return start;
}

int CToolList::Add(const CToolInfo& tool)
{
    if (Count() >= kMaxTools)
        return -1;
    tools_.push_back(tool);
    tools_.back().CommandId = kFirstToolCommand + Count() - 1;
    return Count();
}

void CToolList::Remove(int index)
{
    if (index < 0 || index >= Count())
        return;
    tools_.erase(tools_.begin() + index);
    Renumber();
}

void CToolList::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    CToolInfo tool = tools_[from];
    tools_.erase(tools_.begin() + from);
    tools_.insert(tools_.begin() + to, tool);
    Renumber();
}

int CToolList::IndexOfCommand(int id) const
{
    for (int i = 0; i < Count(); ++i)
        if (tools_[i].CommandId == id)
            return i;
    return -1;
}

void CToolList::Assign(const std::vector<CToolInfo>& tools)
{
    tools_.clear();
    for (const CToolInfo& t : tools)
        Add(t);
}

std::string CToolList::TipText(const CToolInfo& tool)
{
    std::string tip = tool.AppExe.empty() ? "No Application configured" : tool.AppExe;
    return tip.substr(0, 79);
}

void CToolList::Renumber()
{
    for (int i = 0; i < Count(); ++i)
        tools_[i].CommandId = kFirstToolCommand + i;
}
