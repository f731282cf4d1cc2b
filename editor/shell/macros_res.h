// Resource numbers of the keyboard macros, text macros and the keyboard
// mapping dialog.
#pragma once

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
#define ID_ACTUALIZE_MACROS 32840
#define ID_EDIT_MACRO_FILE 32848
#define ID_KEYBOARD_MAPPING 32950
