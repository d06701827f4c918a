#include "ui/main/main_commands.h"

namespace rotaplex {

MainCommand MainCommandAt(float x, float y) {
    return HotSpotAt<MainCommand>(kMainHotSpots, x, y, MainCommand::Drag);
}

}  // namespace rotaplex
