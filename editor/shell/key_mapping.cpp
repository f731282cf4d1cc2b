#include "editor/shell/key_mapping.h"

#include "editor/shell/resource.h"
#include "editor/shell/settings_dialogs_res.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

const KeyMapCommand kKeyMapCommands[kKeyMapCommandCount] = {
    {"Copy", ID_EDIT_COPY},
    {"Paste", ID_EDIT_PASTE},
    {"Cut", ID_EDIT_CUT},
    {"New", ID_FILE_NEW_CMD},
    {"Open", ID_FILE_OPEN_CMD},
    {"Save", ID_FILE_SAVE_CMD},
    {"Close", ID_FILE_CLOSE_CMD},
    {"End and Save", ID_END_AND_SAVE},
    {"Print..", ID_FILE_PRINT},
    {"Save as..", ID_FILE_SAVE_AS_CMD},
    {"Save workspace..", ID_WORKSPACE_SAVE},
    {"Open workspace..", ID_WORKSPACE_OPEN},
    {"Undo", ID_EDIT_UNDO},
    {"Select all", ID_EDIT_SELECT_ALL},
    {"Search..", ID_EDIT_FIND},
    {"Search in files..", ID_FIND_IN_FILES},
    {"Replace..", ID_EDIT_REPLACE},
    {"Empty clipboard", ID_EMPTY_CLIPBOARD},
    {"Add bookmark", ID_ADD_BOOKMARK},
    {"Delete spaces at line start", ID_OP_LEADING_CMD},
    {"Delete spaces at line end", ID_OP_TRAILING_CMD},
    {"Delete empty lines in selected range", ID_OP_EMPTY_LINES_CMD},
    {"Align C-Syntax", ID_OP_ALIGN_C_CMD},
    {"Build HTML-Project..", ID_HTML_PROJECT},
    {"Font..", ID_FONT},
    {"Tabs..", ID_TAB_SETTINGS},
    {"Backup..", ID_BACKUP_OPTIONS},
    {"Colors..", ID_COLORS},
    {"Syntax colors..", ID_SYNTAX_COLORS},
    {"Go to..", ID_GOTO_LINE},
    {"Line wrapping..", ID_LINE_WRAP},
    {"Add tool..", ID_ADD_TOOL},
    {"Select brace level", ID_EDIT_SELECTBRACE},
    {"Fill column..", ID_EDIT_FILLCOLUMN},
    {"End without save", ID_END_WITHOUT_SAVE},
    {"Save all", ID_FILE_SAVE_ALL},
    {"Next document", ID_NEXT_DOCUMENT},
    {"Delete line", ID_DELETE_LINE},
    {"Find again", ID_EDIT_REPEAT},
    {"Indent block", ID_INDENT_BLOCK},
    {"Unindent block", ID_UNINDENT_BLOCK},
    {"Indent selected range", ID_INDENT_RANGE},
    {"Unindent selected range", ID_UNINDENT_RANGE},
    {"Goto matching brace", ID_EDIT_GOTOBRACE},
    {"Start 1.Tool", ID_TOOL_FIRST},
    {"Start 2.Tool", ID_TOOL_FIRST + 1},
    {"Start 3.Tool", ID_TOOL_FIRST + 2},
    {"Start 4.Tool", ID_TOOL_FIRST + 3},
    {"Start 5.Tool", ID_TOOL_FIRST + 4},
    {"Paste block", ID_PASTE_BLOCK},
    {"Paste block and move text down", ID_PASTE_BLOCK_MOVE},
    {"Delete up to line end", ID_DELETE_TO_LINE_END},
    {"Goto next bookmark", ID_GOTO_NEXT_BOOKMARK},
    {"Insert in new file", ID_INSERT_IN_NEW_FILE},
    {"Insert file", ID_INSERT_FILE},
    {"Back to last position", ID_PREVIOUS_DOCUMENT},
    {"set C-comment", ID_SET_COMMENT},
};

const char* const kKeyMapKeys[kKeyMapKeyCount] = {
    " not ", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P",
    "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z", "0", "1", "2", "3", "4", "5", "6",
    "7", "8", "9", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "Back",
};

namespace {

const uint8_t kVirtual = 0x01, kNoInvert = 0x02, kShift = 0x04, kCtrl = 0x08, kAlt = 0x10;
const uint16_t kBack = 8;

bool is_function_key(const ShortcutEntry& e)
{
    return (e.flags & kVirtual) && e.key >= 112 && e.key <= 123;
}

bool has_key_text(const ShortcutEntry& e)
{
    return (e.key >= 48 && e.key <= 90) || e.key == kBack || is_function_key(e);
}

} // namespace

int KeyMapCommandIndex(uint16_t command)
{
    for (int i = 0; i < kKeyMapCommandCount; ++i)
        if (kKeyMapCommands[i].command == command)
            return i;
    return -1;
}

std::string ShortcutKeyText(const ShortcutEntry& e)
{
    if (e.key == kBack)
        return "Back";
    if (e.key <= 90)
        return std::string(1, static_cast<char>(e.key));
    return "F" + std::to_string((e.key & 0x0F) + 1);
}

std::string ShortcutKeyName(uint16_t command, const ShortcutEntry* table, int* entry)
{
    for (int i = 0; i < kShortcutCount; ++i) {
        const ShortcutEntry& e = table[i];
        if (e.command != command || !has_key_text(e))
            continue;
        std::string text;
        if (e.flags & kAlt)
            text += "Alt+";
        if (e.flags & kCtrl)
            text += "Ctrl+";
        if (e.flags & kShift)
            text += "Shift+";
        if (entry)
            *entry = i;
        return text + ShortcutKeyText(e);
    }
    if (entry)
        *entry = -1;
    return std::string();
}

std::string MenuTextWithShortcut(const std::string& text, uint16_t command, const ShortcutEntry* table)
{
    const std::string key = ShortcutKeyName(command, table, nullptr);
    const std::string label = text.substr(0, text.find('\t'));
    return key.empty() ? label : label + "\t" + key;
}

bool ShortcutKeyFromText(const std::string& text, uint16_t& key)
{
    if (text.empty() || text[0] == ' ')
        return false;
    if (text.size() == 1) {
        key = static_cast<unsigned char>(text[0]);
        return true;
    }
    std::string lower = text;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "back") {
        key = kBack;
        return true;
    }
    const int n = std::atoi(text.c_str() + 1);
    if ((text[0] != 'F' && text[0] != 'f') || n < 1 || n > 12)
        return false;
    key = static_cast<uint16_t>(n + 111);
    return true;
}

uint8_t ShortcutFlags(bool ctrl, bool shift, bool alt)
{
    return static_cast<uint8_t>(kVirtual | kNoInvert | (alt ? kAlt : 0) | (shift ? kShift : 0) |
                                (ctrl ? kCtrl : 0));
}

int WorkingEntryFor(const ShortcutEntry* table, uint16_t command)
{
    for (int i = 0; i < kShortcutCount; ++i)
        if (table[i].command == 0 || table[i].command == command)
            return i;
    return -1;
}

int FindKeyConflict(const ShortcutEntry* table, uint16_t key, uint8_t flags)
{
    for (int i = 0; i < kShortcutCount; ++i) {
        const ShortcutEntry& e = table[i];
        if (e.command != 0 && e.key == key && (e.flags & ~kNoInvert) == (flags & ~kNoInvert))
            return i;
    }
    return -1;
}

int FirstEntryOf(const ShortcutEntry* table, uint16_t command)
{
    for (int i = 0; i < kShortcutCount; ++i)
        if (table[i].command == command)
            return i;
    return -1;
}

void RemoveShortcutEntry(ShortcutEntry* table, int index)
{
    if (index < 0 || index >= kShortcutCount)
        return;
    for (int i = index; i + 1 < kShortcutCount; ++i)
        table[i] = table[i + 1];
    table[kShortcutCount - 1] = ShortcutEntry();
}

void TakeOverShortcuts(const ShortcutEntry* working)
{
    ShortcutEntry* table = Shortcuts().table;
    for (int i = 0; i < kShortcutCount; ++i)
        table[i] = ShortcutEntry();
    int n = 0;
    for (int i = 0; i < kShortcutCount; ++i)
        if (working[i].command != 0 && working[i].key != 0 && working[i].flags != 0)
            table[n++] = working[i];
}
