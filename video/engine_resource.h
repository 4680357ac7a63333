// Resource ids of the video engine, shared by engine.rc and the code.
#pragma once

#define IDD_MEDIALIB 101
#define IDC_MEDIALIB_VIDEO 1026
