// A program that does nothing: the tests copy it under the editors' names,
// built with the version resource a test needs.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
