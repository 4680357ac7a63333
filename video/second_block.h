// The one-second block of a sidecar that a snapshot writes beside its picture.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Lines a second: eight, or as many as one second's block holds when the
// sidecar has "SPEED" lines (the line count over the "$GPRMC" count, rounded).
int64_t LinesPerSecond(std::string_view sidecar);

// The placeholder block for a second the sidecar does not have.
const std::string& PaddingBlock();

// The lines of second `current` of a clip `length` seconds long into `out`
// (without the last line's line feed). A sidecar short of whole seconds is
// short at the start of the clip: those seconds, and any block that would
// reach past the end of the text, give the padding block and -1. Otherwise
// the number of the block's first line.
int64_t ExtractSecondBlock(std::string_view sidecar, int64_t length, int64_t current,
                           std::string& out);
