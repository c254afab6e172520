// The program: with --localise, the command line's run over the sheets it names; otherwise
// start up, then handle messages until the main window closes.
#include "app/LocaliseCommand.h"
#include "app/LocaliseOptions.h"
#include "app/Startup.h"
#include "ui/SysUtils.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::vector<std::wstring> arguments = ui::ParamStrings();
  if (workflow::IsLocaliseCommand(arguments)) return RunLocaliseCommand(arguments);
  StartUp();
  ui::Application->Run();
  return 0;
}
