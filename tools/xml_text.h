// Text for an XML document that says it is UTF-8.
#pragma once

#include <string>
#include <string_view>

// Appends `text` with &, <, >, " and ' escaped. Returns false and appends
// nothing when it is not UTF-8 or holds a character that XML 1.0 does not
// allow at all (control characters other than tab, LF and CR; U+FFFE, U+FFFF).
bool AppendXmlText(std::string& out, std::string_view text);
