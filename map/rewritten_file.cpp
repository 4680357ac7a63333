#include "map/rewritten_file.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool Truncate(std::FILE* file, size_t size) {
#ifdef _WIN32
  return _chsize_s(_fileno(file), static_cast<long long>(size)) == 0;
#else
  return ftruncate(fileno(file), static_cast<off_t>(size)) == 0;
#endif
}

}  // namespace

bool CRewrittenFile::Write(const std::string& path, std::string_view text) {
  if (!StillOpen(path) && !Reopen(path)) return false;
  if (Replace(text)) return true;
  Close();
  return false;
}

// Our file at `path`. Where an open file can be removed, one removed under us is
// made again; on Windows the C runtime opens without delete sharing, so nobody
// removes it while we hold it, and the check (a trip to the file system every
// second) is left out.
bool CRewrittenFile::StillOpen(const std::string& path) const {
  if (m_file == nullptr || path != m_strPath) return false;
#ifdef _WIN32
  return true;
#else
  std::error_code ec;
  return std::filesystem::exists(path, ec);
#endif
}

void CRewrittenFile::Close() {
  if (m_file != nullptr) std::fclose(m_file);
  m_file = nullptr;
  m_strPath.clear();
}

bool CRewrittenFile::Reopen(const std::string& path) {
  Close();
  m_file = std::fopen(path.c_str(), "wb");
  if (m_file == nullptr) return false;
  m_strPath = path;
  return true;
}

// Another writer may have made the file longer in between: the end is always cut.
bool CRewrittenFile::Replace(std::string_view text) {
  if (std::fseek(m_file, 0, SEEK_SET) != 0) return false;
  if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size()) return false;
  return std::fflush(m_file) == 0 && Truncate(m_file, text.size());
}
