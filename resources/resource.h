// Resource ids shared by the .rc files, the program, its tests and the end-to-end
// driver. Plain defines: the resource compiler reads this file too.
#pragma once

// Dialog templates.
#define IDD_MEDIALIB 101
#define IDD_MEDIAPLAYER_DIALOG 102
#define IDD_GOOGLEMAPS 103
#define IDD_GSENSOR 104

#define IDR_MAINFRAME 128

// Skin bitmaps (24-bit, drawn for the 1366 x 768 canvas): normal and hover images.
#define IDB_CLOSE_HOVER 129
#define IDB_MINIMIZE_HOVER 130
#define IDB_ENLARGE 131
#define IDB_ENLARGE_HOVER 132
#define IDB_SHRINK 133
#define IDB_SHRINK_HOVER 134
#define IDB_OPEN_VIDEO 135
#define IDB_OPEN_VIDEO_HOVER 136
#define IDB_PAUSE 137
#define IDB_PAUSE_HOVER 138
#define IDB_PLAY 139
#define IDB_PLAY_HOVER 140
#define IDB_SNAPSHOT 141
#define IDB_SNAPSHOT_HOVER 142
#define IDB_CLOSE 143
#define IDB_STOP 144
#define IDB_STOP_HOVER 145
#define IDB_ADD_FILE 146
#define IDB_ADD_FILE_HOVER 147
#define IDB_DELETE_FILE 148
#define IDB_DELETE_FILE_HOVER 149
#define IDB_BROWSE_FOLDER 150
#define IDB_BROWSE_FOLDER_HOVER 151
#define IDB_MINIMIZE 152
#define IDB_BACKGROUND_ENLARGED 153
#define IDB_BACKGROUND 154
#define IDB_MAP_PLACEHOLDER 156
#define IDB_WEB_SITE 161
#define IDB_WEB_SITE_HOVER 162
#define IDB_FRAME_STEP 168
#define IDB_FRAME_STEP_HOVER 169
#define IDB_OFFLINE_STATUS 175
#define IDB_LOGO 176
#define IDB_IMAGE_TILE 203
#define IDB_MAXIMIZE 207
#define IDB_MAXIMIZE_HOVER 208
#define IDB_RESTORE 209
#define IDB_RESTORE_HOVER 210
#define IDB_FULL_SCREEN 213
#define IDB_FULL_SCREEN_HOVER 214

// Pictures of resource type "BMP" (whole .bmp files, loaded as pictures).
#define IDR_BMP_GM_FAILED 300
#define IDR_BMP_GSENSOR 301
#define IDR_BMP_GSENSOR_2 302
#define IDR_BMP_GSENSOR_LONG 303

// Controls of the main window (template 102).
#define IDC_VIDEO_AREA 1000  // placeholder of the video engine window
#define IDC_SEEK_SLIDER 1001
#define IDC_TIME_TEXT 1002        // normal layout
#define IDC_TIME_TEXT_LARGE 1004  // enlarged layout; always the same text as 1002
#define IDC_PLAY_PAUSE 1005
#define IDC_STOP 1006
#define IDC_OPEN_VIDEO 1007
#define IDC_LARGE_VIEW 1008  // enlarged layout on and off
#define IDC_SNAPSHOT 1009
#define IDC_GSENSOR_AREA 1010  // placeholder of the G-sensor graph
#define IDC_BROWSE_FOLDER 1011
#define IDC_ADD_FILE 1012
#define IDC_DELETE_FILE 1013
#define IDC_PLAYLIST 1014   // display texts, sorted
#define IDC_PATH_LIST 1015  // full paths, never shown
#define IDC_MAP_AREA 1016   // placeholder of the map window
#define IDC_LONGITUDE 1017
#define IDC_LATITUDE 1018
#define IDC_ALTITUDE 1019
#define IDC_GFORCE_X 1020
#define IDC_GFORCE_Y 1021
#define IDC_GFORCE_Z 1022
#define IDC_CLOSE 1023
#define IDC_MINIMIZE 1024
#define IDC_SPEED_TEXT 1025
#define IDC_MPH_RADIO 1027
#define IDC_KPH_LABEL 1029
#define IDC_MPH_LABEL 1030
#define IDC_IMAGE_BUTTON_1 1031
#define IDC_IMAGE_BUTTON_2 1032
#define IDC_IMAGE_BUTTON_3 1033
#define IDC_IMAGE_BUTTON_4 1034
#define IDC_MAXIMIZE 1036
#define IDC_WEB_SITE 1044
#define IDC_PROGRESS 1049
#define IDC_FRAME_STEP 1050
#define IDC_SPARE_BUTTON_1 1051
#define IDC_INTERNET_STATUS 1052
#define IDC_VERSION_TEXT 1053
#define IDC_SPARE_BUTTON_2 1054
#define IDC_LOGO 1055
#define IDC_UNIT_TEXT 1058
#define IDC_KPH_RADIO 1059
#define IDC_FULL_SCREEN 1060
#define IDC_SECOND_TEXT 1063
#define IDC_TRIP_TEXT 1070  // where the playing clip stands in its trip, under the time text

// Control of the video engine window (template 101).
#define IDC_MEDIALIB_VIDEO 1026

// Control of the map window (template 103): the place of the web view.
#define IDC_MAP_WEBVIEW 1027
