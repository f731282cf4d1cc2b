// Keyboard macros without windows: the 32-bit event words of a recording
// (the same in memory, in a "*.mcr" file and in playback), the appending of
// one recorded event, the file form, and the reading of a word list into
// the steps a playback carries out.
//
// Word coding:
//   0x8000 set, no high flag       key down: bits 0-7 key, bits 12-14 modifiers
//   no flag at all                 typed character: bits 0-7, bits 12-14 modifiers
//   0x80000000                     command: bits 0-15 the command id
//   0x80000000 | 0x40000000        find-dialog action: bits 0-15 the command
//                                  (57636), bits 16-29 the search options
//   0x40000000 alone               key typed into the find dialog: bits 0-7
//   0x20000000                     one character of a text argument (bits
//                                  0-7); the word 0x20000000 alone ends it
//   0x10000000                     a number argument: bits 0-15
// Modifiers: 0x1000 Shift, 0x2000 Alt, 0x4000 Ctrl.
//
// Characters 128-255 are stored as the unsigned byte. Files written before
// that stored them sign-extended (bits 8-31 all ones); such a word is read
// back as the character it stood for, never as a command.
#pragma once

#include "editor/shell/resource.h"
#include "editor/syntax/window/macro_event_kinds.h"

#include <cstdint>
#include <string>
#include <vector>

// The file's words carry the event kinds' bits.
const uint32_t kMacroWordCommand = kMacroCommand;
const uint32_t kMacroWordFindKey = kMacroFindKey;
const uint32_t kMacroWordFindAction = kMacroCommandFlags;
const uint32_t kMacroWordText = kMacroText;
const uint32_t kMacroWordNumber = kMacroNumber;
const uint32_t kMacroWordKeyDown = kMacroKeyDown;

const int kMacroShift = 0x1000;
const int kMacroAlt = 0x2000;
const int kMacroCtrl = 0x4000;
const int kMacroModifierBits = 0x7000;

// Commands a playback carries out itself (others are skipped).
enum : uint16_t {
    kMacroCmdSelectBrace = ID_EDIT_SELECTBRACE,
    kMacroCmdCopyAppend = ID_EDIT_COPYAPPEND,
    kMacroCmdUpper = ID_EDIT_UPPER,
    kMacroCmdLower = ID_EDIT_LOWER,
    kMacroCmdCapitalize = ID_EDIT_CAPITALIZE,
    kMacroCmdGotoBrace = ID_EDIT_GOTOBRACE,
    kMacroCmdDeleteLine = ID_EDIT_DELETELINE,
    kMacroCmdTcpSend = ID_TCP_SEND,
    kMacroCmdTcpReceive = ID_TCP_SETTINGS,
    kMacroCmdCopy = ID_EDIT_COPY,
    kMacroCmdCut = ID_EDIT_CUT,
    kMacroCmdFind = ID_EDIT_FIND,
    kMacroCmdPaste = ID_EDIT_PASTE,
};

// True for the keys a recording keeps as key words: Page Up, Page Down,
// End, Home, the four arrows, Insert and Delete.
bool IsRecordedMacroKey(int key);

// Appends the words of one event. modifiers are resolved bits (0x1000,
// 0x2000, 0x4000), or for a find-dialog action its options already shifted
// into bits 16-29. For kMacroWordText, value is the address of a
// zero-terminated text.
void AppendMacroEvent(std::vector<uint32_t>& words, uintptr_t value, uint32_t modifiers,
                      uint32_t flags);

// The file form: each word as 4 bytes, little-endian, no header.
std::string MacroFileBytes(const std::vector<uint32_t>& words);
// The words of a file's bytes; a trailing part of less than 4 bytes is
// dropped.
std::vector<uint32_t> MacroWordsOfBytes(const std::string& bytes);

// One step of a playback.
struct MacroStep {
    enum Kind {
        kKey,       // the editor's key path: code, modifiers
        kCharacter, // the editor's character path: code, modifiers
        kCommand,   // command code; text and number hold the arguments it took
        kFind,      // a search: code (the command), options, text
        kFindKey,   // a key typed into the find dialog: code
    };
    Kind kind = kCharacter;
    int code = 0;
    int modifiers = 0;
    uint32_t options = 0;
    std::string text;
    int number = -1; // -1: no number argument
};

// Reads the words into steps: a search gathers the text words after it; a
// send command takes its server text and port, a receive command its port;
// text and number words that no step took become characters.
std::vector<MacroStep> MacroStepsOfWords(const std::vector<uint32_t>& words);
