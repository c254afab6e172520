// Start-up: initialise the application object, set its title, create the main window and
// put the skin file named by --skin on it.
#pragma once

#include "app/Unit1.h"

// The application object initialised and titled, and the main window made (not shown).
TForm1* CreateMainWindow();
// Everything before the message loop; answers the main window.
TForm1* StartUp();
