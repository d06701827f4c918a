#include "ui/main/main_commands.h"

namespace rotaplex {

MainCommand MainCommandAt(double x, double y) {
    for (const HotSpot& spot : kMainHotSpots)
        if (spot.Left <= x && x <= spot.Right && spot.Top <= y && y <= spot.Bottom) return spot.Command;
    return MainCommand::Drag;
}

}  // namespace rotaplex
