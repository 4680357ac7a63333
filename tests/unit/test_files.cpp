#include "test_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

ScratchDir::ScratchDir() {
  std::random_device rd;
  auto dir = std::filesystem::temp_directory_path() /
             ("dashview-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
  std::filesystem::create_directories(dir);
  m_path = dir.string() + static_cast<char>(std::filesystem::path::preferred_separator);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

std::string ScratchDir::Write(const std::string& name, const std::string& bytes) const {
  std::string path = m_path + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
