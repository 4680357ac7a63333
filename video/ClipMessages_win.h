// What the user sees when a clip cannot be played: the missing-decoder question
// when a decoder would help, else what is wrong with the file.
#pragma once

#include <windows.h>

#include <string>

#include "video/clip_check.h"

// Where the missing-codec box sends the user.
constexpr const char kCodecSiteUrl[] = "https://example.com/codecs";

// The box's text; the site address follows it.
constexpr const char kMissingCodecText[] =
    "Please install K-Lite Codec(Basic).\r\nDo you want to open a website ?\r\n\r\nWeb Site : ";

// Asks with Yes and No; on Yes the shell opens the codec site.
void OfferCodecSite(HWND owner);

// The file at `path` as far as its container tells (kUnreadable when it cannot
// be opened for reading).
ClipVerdict CheckClipFileAt(const std::string& path);

// "The file cannot be played:", the path, and the verdict's reason, with OK.
void ReportUnplayable(HWND owner, const std::string& path, ClipVerdict verdict);
