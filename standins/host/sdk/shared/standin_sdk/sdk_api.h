#pragma once

// Whatever the host runtime exports to add-ins (and to the stand-in's own
// program and tests) is marked with this.
#if defined(_WIN32)
#if defined(STANDIN_SDK_BUILDING_RUNTIME)
#define STANDIN_SDK_API __declspec(dllexport)
#else
#define STANDIN_SDK_API __declspec(dllimport)
#endif
#else
#define STANDIN_SDK_API
#endif
