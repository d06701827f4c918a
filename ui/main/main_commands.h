#pragma once

#include <array>

namespace rotaplex {

// What a press on the main window's surface does, found by where it lands.
enum class MainCommand { Close, Delete, Edit, Add, Quit, Minimize, Drag };

// A painted label and the command it stands for; edges in twips, both ends included.
struct HotSpot {
    MainCommand Command;
    double Left, Right, Top, Bottom;
};

// In test order: the first that holds the point wins.
inline constexpr std::array<HotSpot, 6> kMainHotSpots{{
    {MainCommand::Close, 3600, 3795, 240, 435},
    {MainCommand::Delete, 2280, 2775, 4740, 4995},
    {MainCommand::Edit, 1620, 2115, 4740, 4995},
    {MainCommand::Add, 960, 1515, 4740, 4995},
    {MainCommand::Quit, 3000, 3615, 4740, 4995},
    {MainCommand::Minimize, 3600, 3795, 480, 675},
}};

// The command under a point in the window's twips; Drag when no label holds it.
MainCommand MainCommandAt(double x, double y);

}  // namespace rotaplex
