// Ids of the skin tests' host dialog.
#pragma once

#define IDD_SKIN_HOST 900
#define IDC_SKIN_BUTTON 901
#define IDC_SKIN_OTHER 902
