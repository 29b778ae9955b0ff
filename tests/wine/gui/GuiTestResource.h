// Control ids of the GUI tests' own windows (framework_test.rc, controls_test.rc, gui_probe).
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

// The probe's window "GuiProbe" (gui_probe.exe controls)
#define IDC_PROBE_EDIT           10
#define IDC_PROBE_ADDRESS        11
#define IDC_PROBE_LIST           12
