// Program entry: the one application object and the start-up that runs it.
#include "app/App.h"

#include <windows.h>

CVekDiagRuntimeWin32App theApp;

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    return AppMain(hInstance);
}
