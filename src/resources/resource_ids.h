#pragma once

// Identifiers shared by the resource script and the code. They are macros because the
// resource compiler understands nothing else.

// Resource names.
#define MAIN_ICON_NAME "MAIN_ICON"
#define MAIN_MENU_NAME "MAIN_MENU"
#define VERSION_DIALOG_NAME "VERSION_DIALOG"
#define MAIN_ACCEL_NAME "MAIN_ACCEL"
#define INPUT_DIALOG_NAME "INPUT_DIALOG"
#define HEADER_DIALOG_NAME "HEADER_DIALOG"

// Menu commands.
#define ID_FILE_EXIT 1100
#define ID_FILE_NEW 1101
#define ID_FILE_OPEN 1102
#define ID_FILE_SAVE_AS 1103
#define ID_FILE_SAVE 1104
#define ID_EDIT_SWAP_TOP_TWO 1105
#define ID_EDIT_UNREGISTER_UNUSED_WAV 1106
#define ID_EDIT_UNREGISTER_UNUSED_BMP 1107
#define ID_EDIT_COMPACT_WAV 1108
#define ID_EDIT_COMPACT_BMP 1109
#define ID_HELP_USAGE 1110
#define ID_HELP_VERSION 1111
#define ID_FILE_KEEP_LAYOUT 1112
#define ID_EDIT_UNDO 1120
#define ID_EDIT_REDO 1121
#define ID_EDIT_SELECT_ALL 1122
#define ID_VIEW_NEXT_PAGE 1123
#define ID_VIEW_PREVIOUS_PAGE 1124
#define ID_EDIT_FIND 1125
#define ID_EDIT_FIND_NEXT 1126
#define ID_EDIT_GO_TO 1127
#define ID_EDIT_RENAME 1128
#define ID_EDIT_HEADERS 1129
// The recent files, 1130 to 1137, and the separator below them.
#define ID_FILE_RECENT_FIRST 1130
// The View menu's filters of the lists, in the order of their radio items.
#define ID_VIEW_ALL_ROWS 1140
#define ID_VIEW_USED_ROWS 1141
#define ID_VIEW_UNUSED_ROWS 1142
#define ID_VIEW_NO_FILE_ROWS 1143

// Controls of the main window: the header pane's labels (even) and edits (odd), the
// tab control, its two list pages and the status bar.
#define ID_TITLE_LABEL 1000
#define ID_TITLE_EDIT 1001
#define ID_GENRE_LABEL 1002
#define ID_GENRE_EDIT 1003
#define ID_ARTIST_LABEL 1004
#define ID_ARTIST_EDIT 1005
#define ID_BPM_LABEL 1006
#define ID_BPM_EDIT 1007
#define ID_TOTAL_LABEL 1008
#define ID_TOTAL_EDIT 1009
#define ID_TAB 1050
#define ID_WAV_PAGE 1051
#define ID_BMP_PAGE 1052
#define ID_IMAGE_PREVIEW 1053
#define ID_STATUS_BAR 1060
// The one-line input dialog's edit.
#define ID_INPUT_EDIT 1070
// The header dialog's edits, 1071 to 1075, in the order of its keys.
#define ID_HEADER_DIALOG_FIRST_EDIT 1071
