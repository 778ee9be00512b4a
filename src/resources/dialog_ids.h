/* Identifiers of the plug-in's dialog templates and their controls, shared by the resource
 * scripts and the code that fills and reads the controls. Plain defines: the resource compiler
 * reads this file too. Values are what stored templates and the test scripts rely on. */
#ifndef KX_DIALOG_IDS_H
#define KX_DIALOG_IDS_H

/* The dialog toolkit's message box (MsgBox): its text. */
#define IDC_MSGBOX_TEXT 10

/* The tracking window (TRACKING): the history. */
#define IDC_TRACKING_HISTORY 3

/* The export dialog's child template (EXPORTDLG). The place holder marks where the system puts
 * its own controls; the preview is the line below the items that shows what the run writes. */
#define IDC_EXPORT_PLACEHOLDER 1119
#define IDC_EXPORT_RANGE 3
#define IDC_EXPORT_ALL 4
#define IDC_EXPORT_ABSOLUTE 5
#define IDC_EXPORT_OFFSET 6
#define IDC_EXPORT_BASE_NAME 7
#define IDC_EXPORT_PAGE_MARGINS 8
#define IDC_EXPORT_STYLE 9
#define IDC_EXPORT_EDIT_STYLE 10
#define IDC_EXPORT_PREVIEW 11

/* The preferences dialog (PREFS). */
#define IDC_PREFS_LAST_FOLDER 3
#define IDC_PREFS_LOGGING 4
#define IDC_PREFS_ADD_ALWAYS 5
#define IDC_PREFS_OVERWRITE_WARNING 6
#define IDC_PREFS_JOB_SLUG 7
#define IDC_PREFS_TRACKING 8
#define IDC_PREFS_ABORT_ON_OVERFLOW 9

/* The file-naming pane of the host's style editor: its template and its items. */
#define IDD_NAMING_PANE 25052
#define IDC_PANE_FILE_NAME 1
#define IDC_PANE_BASE 2
#define IDC_PANE_PLUS_1 3
#define IDC_PANE_SEPARATOR 4
#define IDC_PANE_PLUS_2 5
#define IDC_PANE_NUMBERS 6
#define IDC_PANE_PLUS_3 7
#define IDC_PANE_SUFFIX 8
#define IDC_PANE_NUMBER_BEFORE_NAME 9
#define IDC_PANE_PAGE_MARGINS 10

#endif
