// The option set on the profile functions: the application's profile
// target as the option table's source and sink, the one process-wide set
// of the options, and what the editor controls and the print code are
// given of them.
#include "editor/shell/settings_profile.h"

#include "editor/shell/ovantaapp.h"

#include "editor/editctl/window/coloredit.h"
#include "editor/syntax/window/ncoloreditctrl.h"
#include "editor/syntax/syntax_template.h"

namespace {

const char missing_mark[] = "\x01<missing>";

} // namespace

bool CAppSettingsStore::Read(const char* section, const char* key, std::string& value)
{
    value = app_.m_profile.GetString(section, key, missing_mark);
    return value != missing_mark;
}

void CAppSettingsStore::Write(const char* section, const char* key, const std::string& value)
{
    app_.WriteSettingString(section, key, value.c_str());
}

SettingsValues& OvantaOptions()
{
    static SettingsValues options;
    return options;
}

namespace {

// Writes one key of the table through the application's guarded writers;
// without an application only the range is enforced.
template <class Field>
void write_option(Field field)
{
    SettingsValues& o = OvantaOptions();
    COvantaApp* app = COvantaApp::Get();
    if (!app) {
        ClampSettings(o);
        return;
    }
    CAppSettingsStore store(*app);
    WriteSettingKey(store, o, field);
}

} // namespace

void WriteOption(int SettingsValues::*field, int value)
{
    OvantaOptions().*field = value;
    write_option(field);
}

void WriteOption(std::string SettingsValues::*field, const std::string& value)
{
    OvantaOptions().*field = value;
    write_option(field);
}

void ApplyOptionsToControls(const SettingsValues& o)
{
    g_bSyntaxColoring = o.syntax;
    SyntaxEditSettings& edit = GetSyntaxEditSettings();
    edit.autoIndent = o.autoIndent;
    edit.extMovTxt = o.extMovTxt;
    edit.multiClick = o.multiClick;
    edit.extContextMenu = o.extContextMenu;
    edit.supressComments = o.supressComments;
    ColorEditSettings& control = GetColorEditSettings();
    control.noClicks = o.noClicks;
    control.autoCopy = o.autoCopy;
    control.selAfterPaste = o.selAfterPaste;
}

PrintOptions PrintOptionsOf(const SettingsValues& o)
{
    PrintOptions p;
    p.pageNo = o.pageNo;
    p.lineNo = o.lineNo;
    p.fileTitle = o.fileTitle;
    p.bannerTop = o.bannerTop;
    p.actDate = o.actDate;
    p.printBW = o.printBW;
    p.compressLines = o.compressLines;
    return p;
}

void StorePrintOptions(SettingsValues& o, const PrintOptions& p)
{
    o.pageNo = p.pageNo;
    o.lineNo = p.lineNo;
    o.fileTitle = p.fileTitle;
    o.bannerTop = p.bannerTop;
    o.actDate = p.actDate;
    o.printBW = p.printBW;
    o.compressLines = p.compressLines;
}

COLORREF BackColorOption()
{
    return static_cast<COLORREF>(OvantaOptions().backColor & 0xFFFFFF);
}
