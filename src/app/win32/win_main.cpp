#include <windows.h>

#include "app/win32/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return vesperon::win32_view::RunApplication();
}
