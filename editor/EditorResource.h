// Resource identifiers of the bulk-edit tool Relabrin (Tolvik_EditProfile.exe).
// Its string table also holds the main program's (resources/strings.rc), so
// that the checks it shares with the wizard speak with the wizard's messages.
#pragma once

// Icons: 128 is the tool's own (the jump list's task shows it); 163..168 are
// the profile icons of resources/resource.h.
#define IDR_EDITOR_ICON          128

// Dialog templates
#define IDD_EDITOR               400
#define IDD_EDITOR_RENAME        401

// Controls of the tool's window (400)
#define IDC_EDITOR_LIST          1001
#define IDC_EDITOR_UP            1002
#define IDC_EDITOR_DOWN          1003
#define IDC_EDITOR_COPY          1004
#define IDC_EDITOR_RENAME        1005
#define IDC_EDITOR_DELETE        1006
#define IDC_EDITOR_EXPORT_ALL    1007
#define IDC_EDITOR_EXPORT_SOME   1008
#define IDC_EDITOR_IMPORT        1009
#define IDC_EDITOR_SAVE          1010
// The rename dialog (401)
#define IDC_RENAME_NAME          1020

// Start rules and the window
#define IDS_TOOL_MAIN_RUNNING    401
#define IDS_TOOL_ALREADY_RUNNING 402
#define IDS_TOOL_SAVE_QUESTION   403
#define IDS_TOOL_DELETE_SEVERAL  404
#define IDS_TOOL_IMPORT_QUESTION 405
#define IDS_TOOL_TOO_MANY_TO_SAVE 406
#define IDS_TOOL_EXPORTED        407
#define IDS_TOOL_IMPORTED        408
#define IDS_TOOL_FILE_FILTER     409
#define IDS_TOOL_COLUMN_NAME     410
#define IDS_TOOL_COLUMN_CONNECTION 411
#define IDS_TOOL_COLUMN_ADDRESS  412
#define IDS_TOOL_FILE_UNREADABLE 413
#define IDS_TOOL_FILE_UNWRITABLE 414
#define IDS_TOOL_USAGE           415
#define IDS_TOOL_COPY_SUFFIX     416
#define IDS_TOOL_NOT_WRITABLE    417

// A refused import or export: the frame of the message, then the reason
#define IDS_IMPORT_REFUSED       420
#define IDS_IMPORT_AT_PROFILE    421
#define IDS_IMPORT_AT_FILE_KEY   422
#define IDS_IMPORT_AT_FILE       423
#define IDS_FAULT_NOT_JSON       430
#define IDS_FAULT_FORMAT         431
#define IDS_FAULT_UNKNOWN_KEY    432
#define IDS_FAULT_MISSING_KEY    433
#define IDS_FAULT_WRONG_TYPE     434
#define IDS_FAULT_TOO_LONG       435
#define IDS_FAULT_BAD_ADDRESS    436
#define IDS_FAULT_OUT_OF_RANGE   437
#define IDS_FAULT_TOO_MANY       438
#define IDS_FAULT_FIXED_IP_DNS   439
#define IDS_FAULT_TOO_MANY_ENTRIES 440
#define IDS_FAULT_NOT_DNS_NAME   441
#define IDS_FAULT_ADDITIONS_FIXED 442
#define IDS_FAULT_MORE_DNS       443
#define IDS_FAULT_FALLBACK_MODE  444
#define IDS_FAULT_FALLBACK_TWICE 445
#define IDS_FAULT_AUTOMATIC_NETWORK 446
#define IDS_IMPORT_AT_PROFILE_ONLY 424
#define IDS_EXPORT_REFUSED       425
