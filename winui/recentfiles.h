// CRecentFileList: the most recently used files, shown as menu items and
// kept in a profile section (keys made from a format such as "File%d",
// numbered from 1). Add moves a path to the top; paths compare without
// regard to case; the oldest entry falls off when the list is full.
//
// UpdateMenu replaces the menu item of the first entry's command
// (ID_FILE_MRU_FILE1 + start) with one item per entry, "&1 name" to
// "&n name" (InsertMenuA, DeleteMenu); the names are shortened to the
// display length with "..." in place of leading folders. An empty list shows
// the item's original text greyed.
#pragma once

#include "winui/profile.h"

#include <windows.h>

#include <string>
#include <vector>

namespace winui {

class CCmdUI;

const UINT ID_FILE_MRU_FILE1 = 0xE110;
const UINT ID_FILE_MRU_LAST = 0xE11F; // sixteen entries at most

class CRecentFileList {
public:
    CRecentFileList(UINT start, const char* section, const char* entryFormat, int size,
                    int maxDisplayLength = 30);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return size_; }
    int GetCount() const { return static_cast<int>(names_.size()); }
    const std::string& operator[](int index) const { return names_[static_cast<size_t>(index)]; }
    // The first command id of the list's menu items.
    UINT FirstId() const { return ID_FILE_MRU_FILE1 + start_; }

    virtual void Add(const char* path);
    virtual void Remove(int index);
    virtual void ReadList(const CProfile& profile);
    // Writes the entries and deletes the keys of unused places.
    virtual void WriteList(const CProfile& profile) const;
    virtual void UpdateMenu(CCmdUI* ui);
    // The entry as the menu shows it (shortened, '&' doubled).
    std::string GetDisplayName(int index) const;

protected:
    UINT start_;
    std::string section_;
    std::string entryFormat_;
    int size_;
    int maxDisplayLength_;
    std::vector<std::string> names_;
    std::string originalText_;
};

// Shortens a path to at most maxLength characters: the root, "...", and as
// many trailing components as fit; the file name is always kept whole.
std::string AbbreviatePath(const std::string& path, int maxLength);

} // namespace winui
