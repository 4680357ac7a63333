#include "map/web_address.h"

std::string CompleteWebAddress(const std::string& address) {
  if (address.find("://") != std::string::npos) return address;
  if (address.size() > 1 && address[1] == ':') return "file://" + address;
  return "http://" + address;
}
