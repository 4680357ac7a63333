// layout-dump: where the player's layout puts every control for a client size,
// from the player's own layout code ("id x y cx cy [fitted] [show|hide]" lines).
// Text controls are fitted to their text in the window; here they have no size.
//   layout-dump WIDTH HEIGHT [normal|enlarged]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/layout.h"

int main(int argc, char** argv) {
  const bool enlarged = argc == 4 && std::strcmp(argv[3], "enlarged") == 0;
  const int width = argc >= 3 ? std::atoi(argv[1]) : 0, height = argc >= 3 ? std::atoi(argv[2]) : 0;
  if (argc < 3 || argc > 4 || width <= 0 || height <= 0 ||
      (argc == 4 && !enlarged && std::strcmp(argv[3], "normal") != 0)) {
    std::fprintf(stderr, "usage: layout-dump WIDTH HEIGHT [normal|enlarged]\n");
    return 2;
  }
  const LayoutScale scale(width, height);
  const std::string text =
      DescribeLayout(enlarged ? EnlargedLayout(scale, nullptr) : NormalLayout(scale, nullptr));
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}
