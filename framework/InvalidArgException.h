// The invalid-argument error: raised where an operation cannot go on with the
// input it was given; the message dispatch reports it and the window goes on.
#pragma once

#include <stdexcept>
#include <string>

class CInvalidArgException : public std::invalid_argument {
 public:
  explicit CInvalidArgException(const std::string& what = "invalid argument")
      : std::invalid_argument(what) {}
};
