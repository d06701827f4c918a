#pragma once

// Shared by the resource script and the code.
#define IDI_ROTAPLEX 100
// Each skin drawn at 100, 125, 150 and 200 %.
#define IDB_SKIN_MAIN_100 101
#define IDB_SKIN_MAIN_125 102
#define IDB_SKIN_MAIN_150 103
#define IDB_SKIN_MAIN_200 104
#define IDB_SKIN_PROPERTIES_100 111
#define IDB_SKIN_PROPERTIES_125 112
#define IDB_SKIN_PROPERTIES_150 113
#define IDB_SKIN_PROPERTIES_200 114
