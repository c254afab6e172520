// Leak tests: an operation repeated many times on real windows leaves as many drawing and
// window-manager objects behind as there were before it.
#pragma once

#include <functional>
#include <string>

#include "HandleCensus.h"

namespace testsupport {

// Rounds of the operation run before the first count: whatever is made once and kept on
// purpose (fonts and pictures a skinner makes on first use, the system's own objects of a
// window first painted or a menu first opened) is made by then.
inline constexpr int kLeakWarmUp = 3;

// Starts the census, runs `operation` kLeakWarmUp times, counts, runs it `times` times more
// (with the round's number from 0), counts again. Prints one line
// "leak check NAME: B before, A after, N operations" (B and A the objects counted, N =
// `times`) and fails the test, naming each kind that changed, when the counts differ. Waiting
// messages are handled before each count.
void ExpectNoLeaks(const std::string& name, int times, const std::function<void(int)>& operation);

}  // namespace testsupport
