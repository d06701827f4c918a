#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "cycle/file_system.h"
#include "cycle/mission_catalogue.h"

namespace rotaplex {

namespace props {

inline constexpr const char* kWindowClass = "RotaplexMissionProperties";

// Control ids, in tab order but for the filter box, which comes first.
enum Control : int {
    List1 = 101,
    Label1, txtName, Label2, txtRuleset, Label3, txtGameLength, Label4, txtMinimumTonnage,
    Label5, txtMaximumTonnage, chkIsNight, chkStockMechs, cmbFog, Label6, chkWeather, cmbRadar,
    Label7, chkTeamAllowed, Label8, Label9, txtTeamLimit, chkKillLimited, Label10, Label11,
    txtKillLimit, chkRespawnlimited, Label12, Label13, txtRespawnLimit, txtScenarioText, Label14,
    txtFilter, lblNotice,
};

// What a mouse press on the surface does.
enum class Spot { Cancel, Ok, Minimize, Drag };

// The painted OK and CANCEL at a point in twips; any other point of the surface drags.
Spot SpotAt(float x, float y);

}  // namespace props

// How the chooser opens beyond the scenario highlighted: the filter already typed, and a line
// saying what the choice replaces (for an entry whose mission is not installed).
struct ChooserStart {
    std::string Filter;
    std::string Replaces;
};

// Lets the user choose a scenario of the catalogue in the modal mission properties window owned
// by owner. The scenario at index SelectedScenario is highlighted first (the first listed one
// when it is not listed). Returns the highlighted scenario's index when OK is pressed, otherwise
// SelectedScenario unchanged. While nothing is listed, OK and Enter choose nothing: the settings
// are empty and a line says that nothing matches, and the window stays open.
int16_t ShowMissionProperties(HWND owner, const MissionCatalogue& catalogue, FileSystem& files,
                              const std::string& gameFolder, int16_t SelectedScenario,
                              const ChooserStart& start = {});

}  // namespace rotaplex
