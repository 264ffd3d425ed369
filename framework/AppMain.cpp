// Program entry of a GUI program built on the framework.
#include "WinApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    return AfxWinMain();
}
