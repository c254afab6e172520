#include "LeakCheck.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

namespace testsupport {
namespace {

void HandleWaitingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

void ExpectNoLeaks(const std::string& name, int times, const std::function<void(int)>& operation) {
  StartHandleCensus();
  for (int i = 0; i < kLeakWarmUp; ++i) operation(i);
  HandleWaitingMessages();
  const THandleCounts before = CountHandles();
  for (int i = 0; i < times; ++i) operation(i);
  HandleWaitingMessages();
  const THandleCounts after = CountHandles();
  std::printf("leak check %s: %d before, %d after, %d operations\n", name.c_str(), before.Total(),
              after.Total(), times);
  std::fflush(stdout);
  EXPECT_EQ(after, before) << name << ": " << after.ChangesSince(before);
}

}  // namespace testsupport
