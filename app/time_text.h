// " hh:mm:ss / hh:mm:ss " of the current second and the clip length; hours
// wrap at 60 like the minutes.
#pragma once

#include <cstdint>
#include <string>

std::string TimeText(int32_t second, int32_t length);
