// Resource numbers of the keyboard macros, text macros and the keyboard
// mapping dialog.
#pragma once

#include "editor/syntax/window/command_ids.h"

// The macro recorder's tool bar bitmap and its bar's child id.
#define IDR_MACRO_RECORDER 216
#define IDW_MACRO_RECORDER_BAR 0xE805

// Keyboard mapping dialog.
#define IDD_KEYBOARD_MAPPING 206
#define IDC_KEY_COMMANDS 1107
#define IDC_KEY_ASSIGNED 1108
#define IDC_KEY_CTRL 1109
#define IDC_KEY_SHIFT 1110
#define IDC_KEY_ALT 1111
#define IDC_KEY_LIST 1112
#define IDC_KEY_SET 1113

// Commands.
// The editor control's commands of the same names.
#define ID_ACTUALIZE_MACROS ID_MACRO_ACTUALIZE
#define ID_EDIT_MACRO_FILE ID_MACRO_EDIT
#define ID_KEYBOARD_MAPPING 32950
