// What the user sees when no installed filter can decode a clip.
#pragma once

#include <windows.h>

// Where the missing-codec box sends the user.
constexpr const char kCodecSiteUrl[] = "https://example.com/codecs";

// The box's text; the site address follows it.
constexpr const char kMissingCodecText[] =
    "Please install K-Lite Codec(Basic).\r\nDo you want to open a website ?\r\n\r\nWeb Site : ";

// Asks with Yes and No; on Yes the shell opens the codec site.
void OfferCodecSite(HWND owner);
