#include "editor/browser/tag_config.h"

#include <cstdlib>

#include "editor/browser/browse_sources.h"

const char* const kTagConfigSection = "TagConfig";

namespace {

const unsigned kDialogBits = kBrowseOpenDocuments | kBrowseSubdirectories | kBrowseDefines | kBrowseTypes |
                             kBrowseEnums | kBrowseFunctions | kBrowseVariables | kBrowseDeclarations;

} // namespace

CTagConfig LoadTagConfig(const CTagSettings& settings)
{
    CTagConfig config;
    for (int i = 0;; ++i) {
        std::string entry = settings.Get("tagpath" + std::to_string(i), "");
        if (entry.empty())
            break;
        config.searchPaths.push_back(entry);
    }
    std::string flags = settings.Get("flags", "");
    if (!flags.empty()) {
        char* end = nullptr;
        unsigned long v = std::strtoul(flags.c_str(), &end, 10);
        if (end != flags.c_str())
            config.flags = static_cast<unsigned>(v);
    }
    config.fileFilter = settings.Get("FileFilter", "*.*");
    return config;
}

bool SaveTagConfig(const CTagConfig& config, CTagSettings& settings)
{
    bool ok = settings.DeleteSection();
    for (size_t i = 0; i < config.searchPaths.size(); ++i)
        ok = settings.Write("tagpath" + std::to_string(i), config.searchPaths[i]) && ok;
    ok = settings.Write("FileFilter", config.fileFilter) && ok;
    ok = settings.Write("flags", std::to_string(config.flags)) && ok;
    return ok;
}

TagPathRow SplitTagPath(const std::string& entry)
{
    TagPathRow row;
    size_t first = entry.find(';');
    row.path = entry.substr(0, first);
    if (first == std::string::npos)
        return row;
    size_t second = entry.find(';', first + 1);
    row.filter = entry.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    if (second != std::string::npos && second + 1 < entry.size() && entry[second + 1] == 'X')
        row.subdir = "X";
    return row;
}

CTagConfigEditor::CTagConfigEditor(const CTagConfig& config)
    : m_flags(config.flags & kDialogBits), m_keptFlags(config.flags & ~kDialogBits),
      m_documentFilter(config.fileFilter)
{
    for (const std::string& entry : config.searchPaths)
        m_rows.push_back(SplitTagPath(entry));
    if (Checked(kBrowseOpenDocuments))
        m_filter = m_documentFilter;
}

void CTagConfigEditor::AddPath(const std::string& directory)
{
    m_rows.insert(m_rows.begin(),
                  TagPathRow{directory, m_filter.empty() ? "*.c *.h" : m_filter, IncludeSubdirectories() ? "X" : ""});
    m_selected = 0;
}

void CTagConfigEditor::AddFile(const std::string& path)
{
    m_rows.insert(m_rows.begin(), TagPathRow{path, "", ""});
    m_selected = 0;
}

void CTagConfigEditor::DeleteSelected()
{
    if (m_selected < 0 || m_selected >= static_cast<int>(m_rows.size()))
        return;
    m_rows.erase(m_rows.begin() + m_selected);
    m_selected = -1;
}

void CTagConfigEditor::Select(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        m_selected = -1;
        return;
    }
    m_selected = row;
    m_filter = m_rows[row].filter;
    if (m_rows[row].subdir == "X")
        m_flags |= kBrowseSubdirectories;
    else
        m_flags &= ~kBrowseSubdirectories;
}

void CTagConfigEditor::RenameRow(int row, const std::string& path)
{
    if (row >= 0 && row < static_cast<int>(m_rows.size()))
        m_rows[row].path = path;
}

void CTagConfigEditor::SetFilterText(const std::string& text)
{
    m_filter = text;
    if (Checked(kBrowseOpenDocuments))
        m_documentFilter = text;
    else if (m_selected >= 0 && m_selected < static_cast<int>(m_rows.size()))
        m_rows[m_selected].filter = text;
}

void CTagConfigEditor::SetChecked(unsigned bit, bool on)
{
    if (on)
        m_flags |= bit;
    else
        m_flags &= ~bit;
    if (bit == kBrowseVariables && on)
        m_flags |= kBrowseFunctions;
    if (bit == kBrowseFunctions && !on)
        m_flags &= ~kBrowseVariables;
    if (bit == kBrowseOpenDocuments && on)
        m_filter = m_documentFilter;
    if (bit == kBrowseSubdirectories && m_selected >= 0 && m_selected < static_cast<int>(m_rows.size()))
        m_rows[m_selected].subdir = on ? "X" : "";
}

CTagConfig CTagConfigEditor::Apply() const
{
    CTagConfig config;
    for (const TagPathRow& row : m_rows)
        config.searchPaths.push_back(FormatSearchPath(row.path, row.filter, row.subdir == "X"));
    config.flags = m_flags | m_keptFlags;
    config.fileFilter = m_documentFilter;
    return config;
}

bool CanExportTagFile(const CBrowserMaps* maps)
{
    return maps && !maps->IsEmpty();
}

tag_file_result ExportTagFile(CBrowseWorker& worker, const std::string& path, std::string* why)
{
    worker.Stop();
    return WriteTagFile(path, *worker.Maps(), why);
}
