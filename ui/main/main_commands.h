#pragma once

#include <array>

#include "ui/skin/hot_spot.h"

namespace rotaplex {

// What a press on the main window's surface does, found by where it lands.
enum class MainCommand { Close, Delete, Edit, Add, Quit, Minimize, Drag };

// The painted labels, in test order: the first that holds the point wins.
inline constexpr std::array<HotSpot<MainCommand>, 6> kMainHotSpots{{
    {MainCommand::Close, 3600, 3795, 240, 435},
    {MainCommand::Delete, 2280, 2775, 4740, 4995},
    {MainCommand::Edit, 1620, 2115, 4740, 4995},
    {MainCommand::Add, 960, 1515, 4740, 4995},
    {MainCommand::Quit, 3000, 3615, 4740, 4995},
    {MainCommand::Minimize, 3600, 3795, 480, 675},
}};

// The command under a point in the window's twips; Drag when no label holds it.
MainCommand MainCommandAt(float x, float y);

}  // namespace rotaplex
