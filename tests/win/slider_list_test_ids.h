// The test dialog of the seek slider and the colour list (slider_list_tests.rc).
#pragma once

#define IDD_SL_HOST 950
#define IDC_SL_SLIDER 1301
#define IDC_SL_LIST 1302
