#include <corvax/graphics/backend/display_mode_choice.h>

namespace corvax {

std::optional<DisplayModeChoice> ChooseDisplayMode(const std::vector<DisplayModeEntry>& offered,
                                                   int width, int height, int depth, int hertz) {
  // Lower is better: a missed refresh rate weighs more than a missed depth.
  std::optional<DisplayModeChoice> best;
  int bestCost = 0;
  for (int i = 0; i < static_cast<int>(offered.size()); ++i) {
    const DisplayModeEntry& mode = offered[static_cast<std::size_t>(i)];
    if (mode.width != width || mode.height != height) continue;
    const bool rateKept = hertz != 0 && mode.hertz == hertz;
    const int cost = (hertz != 0 && !rateKept ? 2 : 0) + (mode.bitsPerPixel != depth ? 1 : 0);
    if (!best || cost < bestCost) {
      best = DisplayModeChoice{i, rateKept};
      bestCost = cost;
    }
  }
  return best;
}

}  // namespace corvax
