#include "editor/shell/project_files.h"

#include "editor/shell/workspace_file.h"

void CProjectFiles::Clear()
{
    files_.clear();
    closed_.clear();
}

bool CProjectFiles::Contains(const std::string& stored) const
{
    return ContainsPath(files_, stored);
}

void CProjectFiles::Add(const std::string& stored)
{
    if (!ContainsPath(files_, stored))
        files_.push_back(stored);
}

void CProjectFiles::Remove(const std::string& stored)
{
    ErasePath(files_, stored);
    ErasePath(closed_, stored);
}

void CProjectFiles::ForgetClosed(const std::string& stored)
{
    ErasePath(closed_, stored);
}

void CProjectFiles::TrackClosed(const std::string& stored, bool closing)
{
    if (!ContainsPath(files_, stored))
        return;
    if (!closing) {
        ErasePath(closed_, stored);
        return;
    }
    if (!ContainsPath(closed_, stored))
        closed_.push_back(stored);
}
