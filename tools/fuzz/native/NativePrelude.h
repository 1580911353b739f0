// Forced into every source of the native fuzz build (-include). On the
// host there are no DLLs, so the export and import markers of the plug-in's
// headers mean nothing.
#pragma once

#define __declspec(x)
