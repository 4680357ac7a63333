// The parser's whole result as text, one line per record: for comparing
// two parses in tests and in the fuzz target.
#pragma once

#include <string>

class CNmeaParser;

std::string DescribeParse(const CNmeaParser& parser);
