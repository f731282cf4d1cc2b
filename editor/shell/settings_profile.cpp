// The option set on the profile functions: the application's profile
// target as the option table's source and sink, the one process-wide copy
// of the options, and the copies the application, the print code and the
// editor controls keep of some of them.
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

void WriteOption(int SettingsValues::*field, int value)
{
    SettingsValues& o = OvantaOptions();
    o.*field = value;
    COvantaApp* app = COvantaApp::Get();
    if (!app) {
        ClampSettings(o);
        return;
    }
    CAppSettingsStore store(*app);
    WriteSettingKey(store, o, field);
}

namespace {

// One value of an option and its copy where the program uses it: loading
// copies the option over, collecting copies it back.
template <class Copy, class Option>
void exchange(bool load, Copy& copy, Option& option)
{
    if (load)
        copy = static_cast<Copy>(option);
    else
        option = static_cast<Option>(copy);
}

// The options that the application, the print code and the editor
// controls keep copies of, in one list for both directions.
void exchange_options(bool load, COvantaApp& app, SettingsValues& o)
{
    OvantaSettings& s = app.m_settings;
    exchange(load, s.tabWidth, o.tabWidth);
    exchange(load, s.softTabs, o.softTabs);
    exchange(load, s.showTabs, o.showTabs);
    exchange(load, s.lineWrap, o.lineWrap);
    exchange(load, s.wrapOnWords, o.wrapOnWords);
    exchange(load, s.saveLineWrap, o.saveLineWrap);
    exchange(load, s.orgBackup, o.orgBackup);
    exchange(load, s.saveBackup, o.saveBackup);
    exchange(load, s.replaceFileExt, o.replaceFileExt);
    exchange(load, s.backupFileExt, o.backupFileExt);
    exchange(load, s.split, o.split);
    exchange(load, s.openMaximized, o.openMaximized);
    exchange(load, s.autoSaveTime, o.autoSaveTime);
    exchange(load, s.showLineNo, o.showLineNo);
    exchange(load, s.syntax, o.syntax);
    exchange(load, app.m_strDefaultDir, o.defaultDir);
    exchange(load, app.m_strLastDir, o.lastDir);
    PrintOptions& p = app.m_printOptions;
    exchange(load, p.pageNo, o.pageNo);
    exchange(load, p.lineNo, o.lineNo);
    exchange(load, p.fileTitle, o.fileTitle);
    exchange(load, p.bannerTop, o.bannerTop);
    exchange(load, p.actDate, o.actDate);
    exchange(load, p.printBW, o.printBW);
    exchange(load, p.compressLines, o.compressLines);
    // The editing options live where the editor controls read them.
    SyntaxEditSettings& edit = GetSyntaxEditSettings();
    exchange(load, edit.autoIndent, o.autoIndent);
    exchange(load, edit.extMovTxt, o.extMovTxt);
    exchange(load, edit.multiClick, o.multiClick);
    exchange(load, edit.extContextMenu, o.extContextMenu);
    exchange(load, edit.supressComments, o.supressComments);
    ColorEditSettings& control = GetColorEditSettings();
    exchange(load, control.noClicks, o.noClicks);
    exchange(load, control.autoCopy, o.autoCopy);
    exchange(load, control.selAfterPaste, o.selAfterPaste);
}

} // namespace

void ApplyOptionsToApp(COvantaApp& app, const SettingsValues& options)
{
    SettingsValues o = options;
    exchange_options(true, app, o);
    app.m_settings.backColor = static_cast<COLORREF>(o.backColor);
    g_bSyntaxColoring = o.syntax;
    app.m_strBackupFileExt = o.backupFileExt;
}

void CollectOptionsFromApp(COvantaApp& app, SettingsValues& o)
{
    exchange_options(false, app, o);
    o.backColor = static_cast<int>(app.m_settings.backColor & 0xFFFFFF);
    // A value from a hand-edited file, or set by a command, never goes out
    // of its range into a file.
    ClampSettings(o);
}

