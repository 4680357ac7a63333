// Resource ids shared by player.rc and the program.
#pragma once

#define IDD_MEDIAPLAYER_DIALOG 102
#define IDR_MAINFRAME 128
