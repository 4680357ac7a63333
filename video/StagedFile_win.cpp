#include "video/StagedFile_win.h"

#include <utility>

#include "framework/Owners_win.h"

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

}  // namespace

std::string SystemErrorText(DWORD code) {
  char text[512] = "";
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                 code, 0, text, sizeof text, NULL);
  std::string out(text, n);
  while (!out.empty() && (out.back() == '\r' || out.back() == '\n' || out.back() == ' '))
    out.pop_back();
  return out.empty() ? "Error " + std::to_string(code) + "." : out;
}

StagedFile::StagedFile(std::string target) : target(std::move(target)) {}

StagedFile::~StagedFile() {
  if (!temp.empty()) DeleteFileA(temp.c_str());
}

bool StagedFile::Fail(DWORD code) {
  error = SystemErrorText(code);
  return false;
}

bool StagedFile::Write(const std::string& bytes) {
  char name[MAX_PATH + 1] = "";
  // Creates the (empty) temporary file, so the name is ours alone.
  if (GetTempFileNameA(FolderOf(target).c_str(), "snp", 0, name) == 0) return Fail(GetLastError());
  temp = name;
  KernelHandle file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, NULL));
  if (file.Get() == INVALID_HANDLE_VALUE) return Fail(GetLastError());
  DWORD written = 0;
  if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL))
    return Fail(GetLastError());
  if (written != bytes.size()) return Fail(ERROR_DISK_FULL);
  return true;
}

bool StagedFile::Commit() {
  if (temp.empty()) return Fail(ERROR_INVALID_FUNCTION);
  if (!MoveFileExA(temp.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Fail(GetLastError());
  temp.clear();
  return true;
}
