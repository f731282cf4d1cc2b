#include "editor/shell/settings_store.h"

#include <cctype>
#include <cstdlib>

namespace {

const char ds[] = "DefaultSettings";
const char pr[] = "Print";
const char sp[] = "Specials";

const unsigned all = kProfileRead | kProfileWrite | kWorkspaceRead | kWorkspaceWrite;
const unsigned pr_rw = kProfileRead | kProfileWrite;
// The keys a workspace does not carry at all.
const unsigned profile_only = pr_rw;

// A path or file name the profile functions and the file system can take.
const size_t path_length = 259;
const size_t text_length = 255;

#define INT_KEY(sec, name, member, lo, hi, use) {sec, name, &SettingsValues::member, nullptr, lo, hi, 0, use}
#define TEXT_KEY(sec, name, member, len, use) {sec, name, nullptr, &SettingsValues::member, 0, 0, len, use}

// The bar placement codes: a side 0-4 with the hidden bit 0x10 and the
// memory mark 0x20.
const int bar_high = 0x3F;
// The auto-save period runs a timer of minutes x 60000 ms, which must stay
// within 32 bits.
const int autosave_high = 71582;

const std::vector<SettingKey> keys = {
    INT_KEY(ds, "BackColor", backColor, 0, 0xFFFFFF, all),
    TEXT_KEY(ds, "HelpPath", helpPath, path_length, profile_only),
    TEXT_KEY(ds, "HtmlTemplate", htmlTemplate, path_length, all),
    INT_KEY(ds, "HtmlProjectFlags", htmlProjectFlags, 0, 0x1F, all),
    INT_KEY(ds, "Syntax", syntax, 0, 1, all),
    INT_KEY(ds, "TabWidth", tabWidth, 1, 100, all),
    INT_KEY(ds, "LineWrap", lineWrap, 0, 32765, all),
    INT_KEY(ds, "SaveLineWrap", saveLineWrap, 0, 1, all),
    INT_KEY(ds, "WrapOnWords", wrapOnWords, 0, 1, all),
    INT_KEY(ds, "ShowTabs", showTabs, 0, 1, all),
    INT_KEY(ds, "SoftTabs", softTabs, 0, 1, all),
    INT_KEY(ds, "OrgBackup", orgBackup, 0, 1, all),
    INT_KEY(ds, "SaveBackup", saveBackup, 0, 1, all),
    INT_KEY(ds, "ReplaceFileExt", replaceFileExt, 0, 1, profile_only),
    TEXT_KEY(ds, "BackupFileExt", backupFileExt, 32, profile_only),
    INT_KEY(ds, "Split", split, 0, 1, all),
    INT_KEY(ds, "Verilog", verilog, 0, 1, all),
    INT_KEY(ds, "Perl", perl, 0, 1, all),
    INT_KEY(ds, "ShowFilesInTree", showFilesInTree, 0, 1, all),
    INT_KEY(ds, "AutoSaveTime", autoSaveTime, 0, autosave_high, all),
    TEXT_KEY(ds, "SendToServer", sendToServer, text_length, profile_only),
    INT_KEY(ds, "SendToPort", sendToPort, 1, 65535, profile_only),
    INT_KEY(ds, "TcpPortNo", tcpPortNo, 1, 65535, all),
    // Written at once by its command, never with the option set.
    TEXT_KEY(ds, "DefaultDir", defaultDir, path_length, kProfileRead | kWorkspaceRead),
    TEXT_KEY(ds, "LastDir", lastDir, path_length, all),
    INT_KEY(ds, "ExtContextMenu", extContextMenu, 0, 1, all),
    INT_KEY(ds, "AutoIndent", autoIndent, 0, 1, all),
    INT_KEY(ds, "ActualizeMacros", actualizeMacros, 0, 1, all),
    INT_KEY(ds, "OpenMaximized", openMaximized, 0, 1, all),
    INT_KEY(ds, "AutoCopy", autoCopy, 0, 1, profile_only),
    INT_KEY(ds, "FileBar", fileBar, 0, bar_high, all),
    INT_KEY(ds, "ToolBar", toolBar, 0, bar_high, all),
    INT_KEY(ds, "ExecBar", execBar, 0, bar_high, all),
    INT_KEY(ds, "BookmarkBar", bookmarkBar, 0, bar_high, all),
    INT_KEY(ds, "FunctionList", functionList, 0, bar_high, all),
    // Written when the last document closes and when the frame closes.
    INT_KEY(ds, "BrowseWndHeight", browseWndHeight, 0, 10000, kProfileRead | kWorkspaceRead),
    // Written when the tools' settings are saved.
    INT_KEY(ds, "OutWndHeight", outWndHeight, 0, 10000, kProfileRead | kWorkspaceRead),
    INT_KEY(ds, "MacroBar", macroBar, 0, 1, all),
    INT_KEY(ds, "MultiClick", multiClick, 0, 1, all),
    INT_KEY(ds, "SelAfterPaste", selAfterPaste, 0, 1, all),
    INT_KEY(ds, "ExtMovTxt", extMovTxt, 0, 1, all),
    INT_KEY(ds, "ShowLineNo", showLineNo, 0, 1, all),
    INT_KEY(ds, "noClicks", noClicks, 2, 3, all),
    INT_KEY(ds, "FndUseSel", fndUseSel, 0, 1, all),
    INT_KEY(ds, "RepUseSel", repUseSel, 0, 1, all),
    INT_KEY(ds, "SupressComments", supressComments, 0, 1, all),
    TEXT_KEY(ds, "ActiveSyntax", activeSyntax, 63, kWorkspaceRead | kWorkspaceWrite),
    // The program's, never a workspace's; written at once by its command.
    INT_KEY(ds, "MultipleInstances", multipleInstances, 0, 1, kProfileRead),
    // A click on the selected document tab switches maximised and restored.
    INT_KEY(sp, "AltWndSize", altWndSize, 0, 1, kProfileRead),
    INT_KEY(pr, "PageNo", pageNo, 0, 1, all),
    INT_KEY(pr, "LineNo", lineNo, 0, 1, all),
    INT_KEY(pr, "FileTitle", fileTitle, 0, 1, all),
    INT_KEY(pr, "BannerTop", bannerTop, 0, 1, all),
    INT_KEY(pr, "ActDate", actDate, 0, 1, all),
    INT_KEY(pr, "PrintBW", printBW, 0, 1, all),
    INT_KEY(pr, "CompressLines", compressLines, 0, 1, all),
};

#undef INT_KEY
#undef TEXT_KEY

struct FontKey {
    const char* key;
    int FontValues::*value;
    int low, high;
    bool byte; // written as its 8-bit value
};
const FontKey font_keys[] = {
    {"Height", &FontValues::height, -2000, 2000, false},
    {"Width", &FontValues::width, -2000, 2000, false},
    {"Escapement", &FontValues::escapement, -3600, 3600, false},
    {"Orientation", &FontValues::orientation, -3600, 3600, false},
    {"Weight", &FontValues::weight, 0, 1000, false},
    {"Italic", &FontValues::italic, 0, 255, true},
    {"Underline", &FontValues::underline, 0, 255, true},
    {"StrikeOut", &FontValues::strikeOut, 0, 255, true},
    {"CharSet", &FontValues::charSet, 0, 255, true},
    {"OutPrecision", &FontValues::outPrecision, 0, 255, true},
    {"ClipPrecision", &FontValues::clipPrecision, 0, 255, true},
    {"Quality", &FontValues::quality, 0, 255, true},
    {"PitchAndFamily", &FontValues::pitchAndFamily, 0, 255, true},
};
const size_t face_length = 31;

void read_font(SettingsSource& source, const char* section, FontValues& font)
{
    FontValues defaults;
    std::string text;
    for (const FontKey& k : font_keys) {
        long long v = 0;
        bool ok = source.Read(section, k.key, text) && ParseSettingInt(text, v) && v >= k.low &&
                  v <= k.high;
        font.*k.value = ok ? static_cast<int>(v) : defaults.*k.value;
    }
    font.faceName = source.Read(section, "FaceName", text) ? text.substr(0, face_length) : std::string();
}

void write_font(SettingsSink& sink, const char* section, const FontValues& font)
{
    for (const FontKey& k : font_keys) {
        int v = font.*k.value;
        sink.Write(section, k.key, std::to_string(k.byte ? (v & 0xFF) : v));
    }
    sink.Write(section, "FaceName", font.faceName.substr(0, face_length));
}

} // namespace

const std::vector<SettingKey>& SettingKeys()
{
    return keys;
}

bool ParseSettingInt(const std::string& text, long long& value)
{
    size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    while (n > i && (text[n - 1] == ' ' || text[n - 1] == '\t'))
        --n;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (n - i > 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n || n - i > 12)
        return false;
    long long v = 0;
    for (; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int digit;
        if (std::isdigit(c))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(c))
            digit = std::tolower(c) - 'a' + 10;
        else
            return false;
        v = v * base + digit;
    }
    value = negative ? -v : v;
    return true;
}

void ReadSettings(SettingsSource& source, SettingsValues& values, unsigned use, unsigned groups)
{
    const SettingsValues defaults;
    std::string text;
    if (groups & kGroupOptions) {
        for (const SettingKey& k : keys) {
            if (!(k.use & use))
                continue;
            const bool found = source.Read(k.section, k.key, text);
            if (k.intValue) {
                long long v = 0;
                bool ok = found && ParseSettingInt(text, v) && v >= k.low && v <= k.high;
                values.*k.intValue = ok ? static_cast<int>(v) : defaults.*k.intValue;
            } else {
                bool ok = found && text.size() <= k.maxLength;
                values.*k.textValue = ok ? text : defaults.*k.textValue;
            }
        }
    }
    if (groups & kGroupFont)
        read_font(source, "Font", values.font);
    if (groups & kGroupPrintFont)
        read_font(source, "PrintFont", values.printFont);
}

void WriteSettings(SettingsSink& sink, const SettingsValues& values, unsigned use, unsigned groups)
{
    if (groups & kGroupOptions) {
        for (const SettingKey& k : keys) {
            if (!(k.use & use))
                continue;
            if (k.intValue) {
                int v = values.*k.intValue;
                if (k.intValue == &SettingsValues::lineWrap && static_cast<unsigned>(v) > 32765u)
                    v = 0;
                sink.Write(k.section, k.key, std::to_string(v));
            } else {
                sink.Write(k.section, k.key, values.*k.textValue);
            }
        }
    }
    if (groups & kGroupFont)
        write_font(sink, "Font", values.font);
    if (groups & kGroupPrintFont)
        write_font(sink, "PrintFont", values.printFont);
}

void ClampSettings(SettingsValues& values)
{
    const SettingsValues defaults;
    for (const SettingKey& k : keys) {
        if (k.intValue) {
            int v = values.*k.intValue;
            if (v < k.low || v > k.high)
                values.*k.intValue = defaults.*k.intValue;
        } else if ((values.*k.textValue).size() > k.maxLength) {
            values.*k.textValue = defaults.*k.textValue;
        }
    }
    for (FontValues* f : {&values.font, &values.printFont}) {
        for (const FontKey& k : font_keys)
            if (f->*k.value < k.low || f->*k.value > k.high)
                f->*k.value = 0;
        if (f->faceName.size() > face_length)
            f->faceName.resize(face_length);
    }
}

bool WriteSettingKey(SettingsSink& sink, SettingsValues& values, int SettingsValues::*field)
{
    const SettingsValues defaults;
    for (const SettingKey& k : keys) {
        if (k.intValue != field)
            continue;
        int& v = values.*field;
        if (v < k.low || v > k.high)
            v = defaults.*field;
        sink.Write(k.section, k.key, std::to_string(v));
        return true;
    }
    return false;
}

bool WriteSettingKey(SettingsSink& sink, SettingsValues& values, std::string SettingsValues::*field)
{
    const SettingsValues defaults;
    for (const SettingKey& k : keys) {
        if (k.textValue != field)
            continue;
        std::string& v = values.*field;
        if (v.size() > k.maxLength)
            v = defaults.*field;
        sink.Write(k.section, k.key, v);
        return true;
    }
    return false;
}
