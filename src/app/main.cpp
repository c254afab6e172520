// The program: start up, then handle messages until the main window closes.
#include "app/Startup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  StartUp();
  ui::Application->Run();
  return 0;
}
