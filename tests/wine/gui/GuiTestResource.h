// Control ids of the GUI tests' own dialogs (framework_test.rc, controls_test.rc).
#pragma once

// The framework test's dialog (900) and its first wizard page (901)
#define IDC_FRAMEWORK_EDIT       1001
#define IDC_FRAMEWORK_PRESS      1002
#define IDC_FRAMEWORK_PAGE_EDIT  1001

// The custom controls' dialog (950)
#define IDC_CONTROLS_PORT        1001
#define IDC_CONTROLS_SERVER      1002
#define IDC_CONTROLS_DROP        1003
#define IDC_CONTROLS_ICONS       1004
#define IDC_CONTROLS_PROFILES    1005
