// The plug-in module's entry point. Loading the library does no plug-in work: everything starts
// with FileMaker's initialise message, so this only lets the runtime's own start-up run.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
