#include "winui/ddx.h"

#include "winui/msgbox.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace winui {

std::string ProgramName()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string name = path;
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

HWND CDataExchange::PrepareCtrl(int id)
{
    last_ = GetDlgItem(m_hDialog, id);
    return last_;
}

static bool is_edit(HWND ctrl)
{
    char cls[32] = "";
    GetClassNameA(ctrl, cls, sizeof cls);
    return lstrcmpiA(cls, "Edit") == 0;
}

void CDataExchange::Fail(const std::string& message)
{
    if (failed_)
        return;
    failed_ = true;
    ShowMessageBox(m_hDialog, message.c_str(), ProgramName().c_str(), MB_OK | MB_ICONEXCLAMATION);
    if (last_ && IsWindow(last_)) {
        SendMessageA(m_hDialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(last_), TRUE);
        if (is_edit(last_))
            SendMessageA(last_, EM_SETSEL, 0, -1);
    }
}

static std::string ctrl_text(HWND ctrl)
{
    int length = GetWindowTextLengthA(ctrl);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(ctrl, &text[0], length + 1);
    text.resize(lstrlenA(text.c_str()));
    return text;
}

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
    if (!dx->Active())
        return;
    HWND ctrl = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = ctrl_text(ctrl);
    else
        SetWindowTextA(ctrl, value.c_str());
}

// A decimal number with blanks around it and nothing else.
static bool parse_number(const std::string& text, long long& value)
{
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(start, &end, 10);
    if (end == start || errno == ERANGE)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end)
        return false;
    value = v;
    return true;
}

template <typename T>
static void exchange_signed(CDataExchange* dx, int id, T& value, long long minValue,
                            long long maxValue)
{
    if (!dx->Active())
        return;
    HWND ctrl = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextA(ctrl, std::to_string(value).c_str());
        return;
    }
    long long v = 0;
    if (!parse_number(ctrl_text(ctrl), v) || v < minValue || v > maxValue)
        dx->Fail("Please enter an integer.");
    else
        value = static_cast<T>(v);
}

void DDX_Text(CDataExchange* dx, int id, long& value)
{
    exchange_signed(dx, id, value, LONG_MIN, LONG_MAX);
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    exchange_signed(dx, id, value, INT_MIN, INT_MAX);
}

void DDX_Text(CDataExchange* dx, int id, unsigned& value)
{
    if (!dx->Active())
        return;
    if (dx->m_bSaveAndValidate) {
        HWND ctrl = dx->PrepareCtrl(id);
        std::string text = ctrl_text(ctrl);
        size_t first = text.find_first_not_of(" \t");
        long long v = -1;
        if (first != std::string::npos && text[first] != '-') {
            const char* start = text.c_str() + first;
            char* end = nullptr;
            errno = 0;
            unsigned long long u = std::strtoull(start, &end, 10);
            while (end != start && (*end == ' ' || *end == '\t'))
                ++end;
            if (end != start && !*end && errno != ERANGE && u <= UINT_MAX)
                v = static_cast<long long>(u);
        }
        if (v < 0)
            dx->Fail("Please enter a positive integer.");
        else
            value = static_cast<unsigned>(v);
    } else {
        dx->PrepareCtrl(id);
        SetWindowTextA(dx->LastCtrl(), std::to_string(value).c_str());
    }
}

static std::string fill_in(std::string text, const std::string& first, const std::string& second)
{
    size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, first);
    at = text.find("%2");
    if (at != std::string::npos)
        text.replace(at, 2, second);
    return text;
}

void DDV_MaxChars(CDataExchange* dx, const std::string& value, int count)
{
    if (!dx->Active())
        return;
    if (dx->m_bSaveAndValidate) {
        if (static_cast<int>(value.size()) > count)
            dx->Fail(fill_in("Please enter no more than %1 characters.", std::to_string(count), ""));
    } else if (dx->LastCtrl() && is_edit(dx->LastCtrl())) {
        SendMessageA(dx->LastCtrl(), EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
    }
}

void DDV_MinMaxInt(CDataExchange* dx, long value, long minValue, long maxValue)
{
    if (!dx->Active() || !dx->m_bSaveAndValidate)
        return;
    if (value < minValue || value > maxValue)
        dx->Fail(fill_in("Please enter an integer between %1 and %2.", std::to_string(minValue),
                         std::to_string(maxValue)));
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    if (!dx->Active())
        return;
    HWND ctrl = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageA(ctrl, BM_GETCHECK, 0, 0));
    else
        SendMessageA(ctrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Check(CDataExchange* dx, int id, bool& value)
{
    int v = value ? BST_CHECKED : BST_UNCHECKED;
    DDX_Check(dx, id, v);
    if (dx->m_bSaveAndValidate)
        value = v == BST_CHECKED;
}

static bool is_radio(HWND ctrl)
{
    if (SendMessageA(ctrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        return true;
    LONG type = GetWindowLongA(ctrl, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    if (!dx->Active())
        return;
    HWND first = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = -1;
    // The group runs from the first button through its siblings in tab
    // order until the next control with WS_GROUP.
    int index = 0;
    for (HWND ctrl = first; ctrl; ctrl = GetWindow(ctrl, GW_HWNDNEXT)) {
        if (ctrl != first && (GetWindowLongA(ctrl, GWL_STYLE) & WS_GROUP))
            break;
        if (!is_radio(ctrl))
            continue;
        if (dx->m_bSaveAndValidate) {
            if (SendMessageA(ctrl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            SendMessageA(ctrl, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& value)
{
    if (!dx->Active())
        return;
    HWND ctrl = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageA(ctrl, CB_GETCURSEL, 0, 0));
    else
        SendMessageA(ctrl, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void DDX_CBString(CDataExchange* dx, int id, std::string& value)
{
    if (!dx->Active())
        return;
    HWND ctrl = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        // A drop-down list has no edit text of its own: its window text is
        // the selected entry, as for the other kinds.
        value = ctrl_text(ctrl);
        return;
    }
    LRESULT at = SendMessageA(ctrl, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(value.c_str()));
    if (at == CB_ERR && (GetWindowLongA(ctrl, GWL_STYLE) & 3) != CBS_DROPDOWNLIST)
        SetWindowTextA(ctrl, value.c_str());
}

void DDX_LBIndex(CDataExchange* dx, int id, int& value)
{
    if (!dx->Active())
        return;
    HWND ctrl = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageA(ctrl, LB_GETCURSEL, 0, 0));
    else
        SendMessageA(ctrl, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void DDX_LBString(CDataExchange* dx, int id, std::string& value)
{
    if (!dx->Active())
        return;
    HWND ctrl = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value.clear();
        LRESULT sel = SendMessageA(ctrl, LB_GETCURSEL, 0, 0);
        if (sel == LB_ERR)
            return;
        LRESULT length = SendMessageA(ctrl, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0);
        if (length == LB_ERR)
            return;
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(ctrl, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(lstrlenA(text.c_str()));
        value = text;
    } else {
        SendMessageA(ctrl, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(value.c_str()));
    }
}

} // namespace winui
