#pragma once

// Shared by the resource script and the code.
#define IDI_ROTAPLEX 100
#define IDB_SKIN_MAIN 101
#define IDB_SKIN_PROPERTIES 102
