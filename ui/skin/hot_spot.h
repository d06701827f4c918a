#pragma once

#include <span>

namespace rotaplex {

// A command painted on a skin: its rectangle in twips, edges included.
template <typename Command>
struct HotSpot {
    Command Action;
    float Left, Right, Top, Bottom;

    bool Contains(float x, float y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
};

// The command of the first spot that contains the point, tested in table order; otherwise the
// press belongs to the surface.
template <typename Command>
Command HotSpotAt(std::span<const HotSpot<Command>> spots, float x, float y, Command surface) {
    for (const HotSpot<Command>& spot : spots)
        if (spot.Contains(x, y)) return spot.Action;
    return surface;
}

}  // namespace rotaplex
