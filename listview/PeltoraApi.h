// Export and import of the plug-in's public classes: exported while the
// plug-in itself is compiled (PELTORA_BUILD), imported by the host and the
// tests.
#pragma once

#ifdef PELTORA_BUILD
#define PELTORA_API __declspec(dllexport)
#else
#define PELTORA_API __declspec(dllimport)
#endif
