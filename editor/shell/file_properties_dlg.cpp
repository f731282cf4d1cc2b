#include "editor/shell/file_properties_dlg.h"

#include "editor/shell/file_dialogs_res.h"

#include "winui/msgbox.h"

#include <cstdio>
#include <utility>

namespace {

const char time_caption[] = "File time has been changed";

bool read_status(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return !path.empty() && ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) != 0;
}

int days_in_month(int month, int year)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

} // namespace

void SplitPropertiesPath(const std::string& path, std::string& name, std::string& folder)
{
    name.clear();
    folder.clear();
    const size_t slash = path.rfind('\\');
    if (slash == std::string::npos)
        return;
    folder = path.substr(0, slash + 1);
    name = path.substr(slash + 1);
    const size_t star = name.rfind('*');
    if (star != std::string::npos)
        name.erase(star);
}

std::string FileSizeText(int textLength, int lineCount, bool unixFormat)
{
    if (textLength <= 0)
        return "Size:  0 Bytes";
    char text[64];
    if (unixFormat)
        std::snprintf(text, sizeof text, "size:  %d Bytes (UNIX)", textLength);
    else
        std::snprintf(text, sizeof text, "size:  %d Bytes (DOS)", textLength + lineCount - 1);
    return text;
}

std::string FileAttributesText(DWORD attributes)
{
    static const struct {
        DWORD bit;
        const char* text;
    } names[] = {{FILE_ATTRIBUTE_READONLY, "/readonly"},
                 {FILE_ATTRIBUTE_HIDDEN, "/hidden"},
                 {FILE_ATTRIBUTE_SYSTEM, "/system"},
                 {FILE_ATTRIBUTE_ARCHIVE, "/archive"}};
    std::string text = "File attributes:\n";
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return text;
    for (const auto& n : names)
        if (attributes & n.bit)
            text += n.text;
    return text;
}

std::string FileTimeText(const FILETIME& time)
{
    SYSTEMTIME utc, local;
    if (!::FileTimeToSystemTime(&time, &utc) || !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return std::string();
    char text[64];
    std::snprintf(text, sizeof text, "%02u/%02u/%04u , %02u:%02u:%02u", local.wMonth, local.wDay, local.wYear,
                  local.wHour, local.wMinute, local.wSecond);
    return text;
}

bool ParseFileTimeText(const std::string& text, FILETIME& time)
{
    int month = 0, day = 0, year = 0, hour = 0, minute = 0, second = 0;
    if (std::sscanf(text.c_str(), "%d/%d/%d , %d:%d:%d", &month, &day, &year, &hour, &minute, &second) != 6)
        return false;
    // Fields out of range would otherwise roll over into another date.
    if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > days_in_month(month, year) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(year);
    local.wMonth = static_cast<WORD>(month);
    local.wDay = static_cast<WORD>(day);
    local.wHour = static_cast<WORD>(hour);
    local.wMinute = static_cast<WORD>(minute);
    local.wSecond = static_cast<WORD>(second);
    SYSTEMTIME utc;
    FILETIME result;
    if (!::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !::SystemTimeToFileTime(&utc, &result))
        return false;
    time = result;
    return true;
}

BEGIN_MESSAGE_MAP(CFilePropertiesDlg, winui::CDialog)
    ON_BN_CLICKED(IDC_PROPERTIES_COUNT, &CFilePropertiesDlg::OnCount)
END_MESSAGE_MAP()

CFilePropertiesDlg::CFilePropertiesDlg(FilePropertiesSource source, HWND parent)
    : winui::CDialog(IDD_FILE_PROPERTIES, parent), source_(std::move(source))
{
}

BOOL CFilePropertiesDlg::OnInitDialog()
{
    winui::CDialog::OnInitDialog();
    std::string name, folder;
    SplitPropertiesPath(source_.path, name, folder);
    SetDlgItemText(IDC_PROPERTIES_NAME, name.c_str());
    SetDlgItemText(IDC_PROPERTIES_PATH, folder.c_str());
    SetDlgItemText(IDC_PROPERTIES_SIZE,
                   FileSizeText(source_.textLength, source_.lineCount, source_.unixFormat).c_str());
    char lines[64];
    std::snprintf(lines, sizeof lines, "Lines:  %d", source_.lineCount);
    SetDlgItemText(IDC_PROPERTIES_LINES, lines);

    WIN32_FILE_ATTRIBUTE_DATA data;
    haveTimes_ = read_status(source_.path, data);
    if (haveTimes_) {
        createdShown_ = FileTimeText(data.ftCreationTime);
        changedShown_ = FileTimeText(data.ftLastWriteTime);
    }
    SetDlgItemText(IDC_PROPERTIES_CREATED, createdShown_.c_str());
    SetDlgItemText(IDC_PROPERTIES_CHANGED, changedShown_.c_str());
    EnableDlgItem(IDC_PROPERTIES_CREATED, haveTimes_);
    EnableDlgItem(IDC_PROPERTIES_CHANGED, haveTimes_);
    SetDlgItemText(IDC_PROPERTIES_ATTRIBUTES,
                   FileAttributesText(haveTimes_ ? data.dwFileAttributes : INVALID_FILE_ATTRIBUTES).c_str());
    return TRUE;
}

void CFilePropertiesDlg::OnCount()
{
    if (!source_.countLinesOfCode)
        return;
    char text[64];
    std::snprintf(text, sizeof text, "Lines of code:  %d", source_.countLinesOfCode());
    SetDlgItemText(IDC_PROPERTIES_CODE_LINES, text);
}

bool CFilePropertiesDlg::SetChangedTimes()
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!read_status(source_.path, data))
        return false;
    // Only a field that was edited and reads as a time is written; the
    // other time keeps its value to the last fraction of a second.
    FILETIME created = data.ftCreationTime, changed = data.ftLastWriteTime;
    const std::string createdText = GetDlgItemText(IDC_PROPERTIES_CREATED);
    const std::string changedText = GetDlgItemText(IDC_PROPERTIES_CHANGED);
    const bool setCreated = createdText != createdShown_ && ParseFileTimeText(createdText, created);
    const bool setChanged = changedText != changedShown_ && ParseFileTimeText(changedText, changed);
    if (!setCreated && !setChanged)
        return true;
    HANDLE file = ::CreateFileA(source_.path.c_str(), FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    timesSet_ = ::SetFileTime(file, setCreated ? &created : nullptr, nullptr, setChanged ? &changed : nullptr) != 0;
    ::CloseHandle(file);
    return timesSet_;
}

void CFilePropertiesDlg::OnOK()
{
    const bool edited = haveTimes_ && (GetDlgItemText(IDC_PROPERTIES_CREATED) != createdShown_ ||
                                       GetDlgItemText(IDC_PROPERTIES_CHANGED) != changedShown_);
    if (edited && winui::ShowMessageBox(m_hWnd, "Set the changed file times?", time_caption,
                                        MB_YESNO | MB_ICONQUESTION) == IDYES) {
        if (!SetChangedTimes())
            winui::ShowMessageBox(m_hWnd, "The file times could not be set.", time_caption,
                                  MB_OK | MB_ICONEXCLAMATION);
    }
    EndDialog(IDOK);
}
