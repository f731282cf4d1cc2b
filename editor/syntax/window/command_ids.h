// The command ids that the editor control's context menu, the menus and
// accelerators of the program, the output pane and keyboard macros share:
// each number once, as plain defines so that resource scripts take them
// too. Stored keyboard macros and key maps hold these numbers.
#pragma once

// Standard edit commands (the class library's numbers).
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_FIND 57636
#define ID_EDIT_PASTE 57637

// The editor control's commands.
#define ID_EDIT_FILLCOLUMN 32769
#define ID_EDIT_SETCCOMMENT 32770
#define ID_EDIT_SELECTBRACE 32773
#define ID_EDIT_INDENTMOVE 32774
#define ID_EDIT_PROPERTIES 32776
#define ID_EDIT_COPYAPPEND 32789
#define ID_EDIT_NUMBERCOLUMN 32797
#define ID_EDIT_BOOKMARK 32798
#define ID_EDIT_RELOAD 32801
#define ID_EDIT_CHANGEDIR 32803
#define ID_EDIT_UPPER 32808
#define ID_EDIT_LOWER 32809
#define ID_EDIT_CAPITALIZE 32810
#define ID_MACRO_DATEGERMAN 32836
#define ID_MACRO_DATEENGLISH 32838
#define ID_MACRO_FILENAME 32839
#define ID_MACRO_ACTUALIZE 32840
#define ID_EDIT_GOTOBRACE 32843
#define ID_MACRO_EDIT 32848
#define ID_MACRO_FIRST 32850
#define ID_MACRO_LAST 32869
#define ID_EDIT_DELETELINE 32952
#define ID_EDIT_GOTODEFINITION 32965
#define ID_SYNTAX_NONE 32966
#define ID_SYNTAX_DEFAULT 32967
#define ID_SYNTAX_FIRST 32968
#define ID_SYNTAX_LAST 32977
#define ID_EDIT_LINEENDTOMOUSE 32987
#define ID_DIRECTIVE_IF 61555
#define ID_DIRECTIVE_ENDIF 61556
#define ID_DIRECTIVE_NEXTELSE 61557
#define ID_DIRECTIVE_PREVELSE 61558
#define ID_NUMBER_TOHEX 61560
#define ID_NUMBER_TODEC 61561

// The control's names of the standard commands.
#define ID_EDIT_COPY_CMD ID_EDIT_COPY
#define ID_EDIT_CUT_CMD ID_EDIT_CUT
#define ID_EDIT_SEARCH ID_EDIT_FIND
#define ID_EDIT_PASTE_CMD ID_EDIT_PASTE
