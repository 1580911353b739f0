// String ids shared by the test executable and the test extension DLL. A
// string table block holds ids 16n..16n+15: 30100 shares no block with 30120.
#pragma once

#define IDS_TEST_BOTH 30100     // in the executable and the DLL: the executable wins
#define IDS_TEST_DLL_ONLY 30120 // only in the DLL (another block), English and Korean
#define IDS_TEST_ENGLISH 30121  // only in the DLL's English table
#define IDS_TEST_MISSING 30199  // nowhere
