/* The one entry point of multirename.dll, for host programs (C or C++). */
#ifndef MULTIRENAME_H
#define MULTIRENAME_H

#include <windows.h>

#ifndef __cplusplus
#include <stdbool.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

#if defined(MULTIRENAME_BUILDING)
#define MULTIRENAME_API __declspec(dllexport)
#else
#define MULTIRENAME_API __declspec(dllimport)
#endif

/* Shows the modal Multi Rename dialog over the given full paths, owned by parent, and
   returns when it closes. Call it on a thread with a message loop. flag and text are
   accepted and not used; text may be null. A count of 0 or less reads no paths. */
MULTIRENAME_API void __cdecl run_multirename(HWND parent, int count, const wchar_t* const* paths,
                                             bool flag, const wchar_t* text);

/* For hosts that find the function with GetProcAddress(module, "run_multirename"). */
typedef void(__cdecl* run_multirename_fn)(HWND parent, int count, const wchar_t* const* paths,
                                          bool flag, const wchar_t* text);

#ifdef __cplusplus
}
#endif

#endif
