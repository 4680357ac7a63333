#include "tools/xml_text.h"

#include <cstdint>

namespace {

// Length of the well-formed UTF-8 sequence at text[at] that encodes a
// character XML allows, or 0.
size_t XmlCharLength(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r' ? 1 : 0;
  size_t length = 0;
  uint32_t code = 0, lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1Fu, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0Fu, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07u, lowest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(at + i) & 0x3Fu);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < lowest || code > 0x10FFFF || surrogate || code == 0xFFFE || code == 0xFFFF) return 0;
  return length;
}

}  // namespace

bool AppendXmlText(std::string& out, std::string_view text) {
  for (size_t at = 0, length = 0; at < text.size(); at += length)
    if ((length = XmlCharLength(text, at)) == 0) return false;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '\r':
        out += "&#13;";
        break;  // a reader would turn a bare CR into LF
      default:
        out += c;
    }
  }
  return true;
}
