// Start-up: initialise the application object, set its title, create the main window.
#pragma once

#include "app/Unit1.h"

// Everything before the message loop; answers the main window.
TForm1* StartUp();
