// A small file that is replaced whole over and over (the position file, once a
// second): kept open between writes and rewritten in place, because opening and
// closing a file costs far more than writing it on some systems. The handle is
// opened with the C runtime's default sharing, so readers (the map page) open
// the file as before.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class CRewrittenFile {
 public:
  CRewrittenFile() = default;
  ~CRewrittenFile() { Close(); }
  CRewrittenFile(const CRewrittenFile&) = delete;
  CRewrittenFile& operator=(const CRewrittenFile&) = delete;

  // Makes the file at `path` hold exactly `text` (bytes as given). False when it
  // cannot be opened or written; the next call tries afresh.
  bool Write(const std::string& path, std::string_view text);
  void Close();

 private:
  bool StillOpen(const std::string& path) const;
  bool Reopen(const std::string& path);
  bool Replace(std::string_view text);

  std::FILE* m_file = nullptr;
  std::string m_strPath;
};
