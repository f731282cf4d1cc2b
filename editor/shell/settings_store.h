// The option set of the editor as one table of keys: every key of the
// profile "ovanta.ini" and of a workspace file that the frame loads and
// saves as a whole, with its section, default and the range of values that
// make sense. Reading goes through a small source interface so that the
// same rules apply to the profile and to workspaces: a missing key, a value
// that is not a number, a number out of range or a string too long for its
// use yields the key's default, so that a file edited by hand never brings
// unusable values into the editor and is not written back with them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One LOGFONT as the profile keeps it ([Font], [PrintFont]).
struct FontValues {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    int charSet = 0;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    std::string faceName; // at most 31 characters (the LOGFONT's field)
};

struct SettingsValues {
    // [DefaultSettings]
    int backColor = 0xFFFFFF;
    std::string helpPath;
    std::string htmlTemplate;
    int htmlProjectFlags = 0;
    int syntax = 0;
    int tabWidth = 4;
    int lineWrap = 0;
    int saveLineWrap = 0;
    int wrapOnWords = 0;
    int showTabs = 0;
    int softTabs = 1;
    int orgBackup = 1;
    int saveBackup = 1;
    int replaceFileExt = 0;
    std::string backupFileExt = ".bak";
    int split = 0;
    int verilog = 0;
    int perl = 0;
    int showFilesInTree = 1;
    int autoSaveTime = 0;
    std::string sendToServer = "localhost";
    int sendToPort = 9000;
    int tcpPortNo = 9000;
    std::string defaultDir;
    std::string lastDir;
    int extContextMenu = 0;
    int autoIndent = 0;
    int actualizeMacros = 1;
    int openMaximized = 1;
    int autoCopy = 0;
    int fileBar = 0;
    int toolBar = 1;
    int execBar = 1;
    int bookmarkBar = 3;
    int functionList = 0;
    int browseWndHeight = 0;
    int outWndHeight = 0;
    int macroBar = 0;
    int multiClick = 0;
    int selAfterPaste = 0;
    int extMovTxt = 0;
    int showLineNo = 0;
    int noClicks = 2;
    int fndUseSel = 1;
    int repUseSel = 0;
    int supressComments = 0;
    int multipleInstances = 1; // the profile file only
    // [Specials]
    int altWndSize = 1; // read only: set by hand
    std::string activeSyntax = "C/C++"; // workspaces only
    // [Print]
    int pageNo = 0;
    int lineNo = 0;
    int fileTitle = 0;
    int bannerTop = 1;
    int actDate = 0;
    int printBW = 1;
    int compressLines = 0;
    // [Font], [PrintFont]
    FontValues font;
    FontValues printFont;
};

// Which operation reads or writes a key.
enum SettingsUse : unsigned {
    kProfileRead = 1,    // reading the profile at start
    kProfileWrite = 2,   // writing the profile at exit
    kWorkspaceRead = 4,  // opening a workspace
    kWorkspaceWrite = 8, // saving a workspace
};

// The key groups: the [DefaultSettings] and [Print] keys, the editor font
// and the printer font.
enum SettingsGroup : unsigned {
    kGroupOptions = 1,
    kGroupFont = 2,
    kGroupPrintFont = 4,
    kGroupAll = 7,
};

// Where values come from and go to (the profile functions on a path).
class SettingsSource {
public:
    virtual ~SettingsSource() = default;
    // False when the key is missing.
    virtual bool Read(const char* section, const char* key, std::string& value) = 0;
};
class SettingsSink {
public:
    virtual ~SettingsSink() = default;
    virtual void Write(const char* section, const char* key, const std::string& value) = 0;
};

// One key of the table.
struct SettingKey {
    const char* section;
    const char* key;
    int SettingsValues::*intValue;          // null for a string key
    std::string SettingsValues::*textValue; // null for an integer key
    int low, high;                          // accepted integers
    size_t maxLength;                       // accepted string length
    unsigned use;                           // SettingsUse bits
};
const std::vector<SettingKey>& SettingKeys();

// The integer a profile value stands for: decimal with an optional sign
// (or "0x" hexadecimal), blanks around it allowed; false for anything else.
bool ParseSettingInt(const std::string& text, long long& value);

// Reads every key of the groups that the use reads into values; a key that
// is missing or unusable gets its default. The fonts' "FaceName" is cut to
// 31 characters; a font that is read has all its fields read together.
void ReadSettings(SettingsSource& source, SettingsValues& values, unsigned use,
                  unsigned groups = kGroupAll);
// Writes every key of the groups that the use writes. "LineWrap" above
// 32765 (taken as unsigned) is written as 0; byte fields of the fonts as
// their 8-bit value.
void WriteSettings(SettingsSink& sink, const SettingsValues& values, unsigned use,
                   unsigned groups = kGroupAll);
// Brings every value into its key's range (the default where it is not),
// as a value read from a file would come.
void ClampSettings(SettingsValues& values);
// The one integer key of the table behind field: its value in values is
// brought into the key's range (the default where it is not) and written
// to sink. False, with nothing written, when no key of the table holds
// the field.
bool WriteSettingKey(SettingsSink& sink, SettingsValues& values, int SettingsValues::*field);
// The same for a string key: a value too long for the key becomes its
// default.
bool WriteSettingKey(SettingsSink& sink, SettingsValues& values, std::string SettingsValues::*field);
