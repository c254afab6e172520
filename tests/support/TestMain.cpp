// Entry point of the test executables without windows.
#include <gtest/gtest.h>

#include "CrashReport.h"

int main(int argc, char** argv) {
  testsupport::EndProcessOnCrash();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
