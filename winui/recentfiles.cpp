#include "winui/recentfiles.h"

#include "winui/cmdui.h"

#include <cstdio>

namespace winui {

CRecentFileList::CRecentFileList(UINT start, const char* section, const char* entryFormat,
                                 int size, int maxDisplayLength)
    : start_(start), section_(section), entryFormat_(entryFormat),
      size_(size < 1 ? 1 : (size > 16 ? 16 : size)), maxDisplayLength_(maxDisplayLength)
{
}

void CRecentFileList::Add(const char* path)
{
    if (!path || !*path)
        return;
    std::string entry = path;
    for (size_t i = 0; i < names_.size(); ++i) {
        if (lstrcmpiA(names_[i].c_str(), entry.c_str()) == 0) {
            names_.erase(names_.begin() + static_cast<long>(i));
            break;
        }
    }
    names_.insert(names_.begin(), entry);
    if (names_.size() > static_cast<size_t>(size_))
        names_.resize(static_cast<size_t>(size_));
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetCount())
        names_.erase(names_.begin() + index);
}

static std::string entry_key(const std::string& format, int number)
{
    char key[64];
    snprintf(key, sizeof key, format.c_str(), number);
    return key;
}

void CRecentFileList::ReadList(const CProfile& profile)
{
    names_.clear();
    for (int i = 0; i < size_; ++i) {
        std::string name =
            profile.GetString(section_.c_str(), entry_key(entryFormat_, i + 1).c_str(), "");
        if (!name.empty())
            names_.push_back(name);
    }
}

void CRecentFileList::WriteList(const CProfile& profile) const
{
    for (int i = 0; i < size_; ++i) {
        std::string key = entry_key(entryFormat_, i + 1);
        if (i < GetCount())
            profile.WriteString(section_.c_str(), key.c_str(), names_[static_cast<size_t>(i)].c_str());
        else
            profile.DeleteKey(section_.c_str(), key.c_str());
    }
}

std::string AbbreviatePath(const std::string& path, int maxLength)
{
    if (maxLength <= 0 || static_cast<int>(path.size()) <= maxLength)
        return path;
    size_t nameStart = path.find_last_of("\\/");
    if (nameStart == std::string::npos)
        return path;
    // The root: "C:\" or "\\server\share\".
    size_t rootEnd = 0;
    if (path.size() > 2 && path[1] == ':')
        rootEnd = path.size() > 2 && (path[2] == '\\' || path[2] == '/') ? 3 : 2;
    else if (path.compare(0, 2, "\\\\") == 0) {
        size_t server = path.find('\\', 2);
        size_t share = server == std::string::npos ? std::string::npos : path.find('\\', server + 1);
        rootEnd = share == std::string::npos ? 0 : share + 1;
    }
    std::string root = path.substr(0, rootEnd);
    // Keep as many trailing folders as fit before the file name.
    size_t keepFrom = nameStart;
    for (;;) {
        if (keepFrom <= rootEnd)
            return path;
        size_t prev = path.find_last_of("\\/", keepFrom - 1);
        if (prev == std::string::npos || prev < rootEnd)
            break;
        std::string candidate = root + "..." + path.substr(prev);
        if (static_cast<int>(candidate.size()) > maxLength)
            break;
        keepFrom = prev;
    }
    return root + "..." + path.substr(keepFrom);
}

std::string CRecentFileList::GetDisplayName(int index) const
{
    std::string shown = AbbreviatePath((*this)[index], maxDisplayLength_);
    std::string escaped;
    for (char c : shown) {
        escaped += c;
        if (c == '&')
            escaped += '&';
    }
    return escaped;
}

void CRecentFileList::UpdateMenu(CCmdUI* ui)
{
    HMENU menu = ui->m_hMenu;
    if (!menu)
        return;
    UINT first = FirstId();
    if (originalText_.empty()) {
        char text[256] = {};
        GetMenuStringA(menu, ui->m_nIndex, text, sizeof text, MF_BYPOSITION);
        originalText_ = text;
    }
    // Remove the entries shown before; ui's item is the first of them.
    for (int i = 0; i < size_; ++i)
        DeleteMenu(menu, first + static_cast<UINT>(i), MF_BYCOMMAND);
    if (names_.empty()) {
        InsertMenuA(menu, ui->m_nIndex, MF_BYPOSITION | MF_STRING | MF_GRAYED, first,
                    originalText_.c_str());
        return;
    }
    for (int i = 0; i < GetCount(); ++i) {
        char number[8];
        snprintf(number, sizeof number, "&%d ", (i + 1) % 10);
        std::string text = number + GetDisplayName(i);
        InsertMenuA(menu, ui->m_nIndex + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                    first + static_cast<UINT>(i), text.c_str());
    }
    ui->m_nIndex += static_cast<UINT>(GetCount()) - 1; // the menu walk goes on after them
    ui->m_bEnableChanged = TRUE;
}

} // namespace winui
