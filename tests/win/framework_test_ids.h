// Templates and controls of the framework tests (framework_tests.rc).
#pragma once

#define IDD_FW_MAIN 900
#define IDD_FW_CHILD 901
#define IDC_FW_EDIT 1101
#define IDC_FW_TEXT1 1102
#define IDC_FW_TEXT2 1103
#define IDC_FW_BUTTON 1104
#define IDC_FW_PLACEHOLDER 1105
#define IDC_FW_CHILD_EDIT 1201
