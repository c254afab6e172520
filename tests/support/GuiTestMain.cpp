// Entry point of GUI test executables: the application object is initialised once, as the
// program does at start-up, before any test makes a window.
#include <gtest/gtest.h>

#include "CrashReport.h"
#include "ui/Forms.h"

int main(int argc, char** argv) {
  testsupport::EndProcessOnCrash();
  testing::InitGoogleTest(&argc, argv);
  ui::Application->Initialize();
  return RUN_ALL_TESTS();
}
