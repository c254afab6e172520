// Start-up: initialise the application object, set its title, create the main window and
// put the skin file named by --skin on it.
#pragma once

#include "app/Unit1.h"

// Everything before the message loop; answers the main window.
TForm1* StartUp();
