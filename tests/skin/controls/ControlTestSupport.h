// Shared pieces of the control skinner tests: a stand-in for the frame skinner that keeps the
// list, and a recording of the phases a message goes through (the skinner before the
// control, the control's own handling, the skinner after it) in a message sequence.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "MessageSequence.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinMessages.h"
#include "ui/Forms.h"

namespace ctltest {

using testsupport::MessageEntry;
using testsupport::MessageRecorder;
using testsupport::msgHandler;
using testsupport::msgOptional;
using testsupport::msgSent;
using testsupport::msgWParam;

// A frame skinner's list without a frame.
struct TestHost : skin::TSkinnerHost {
  skin::TControlSkinners list;
  HWND window = nullptr;
  skin::TControlSkinners& Skinners() override { return list; }
  HWND HostWindow() const override { return window; }
};

// Phases of a message, recorded as handler entries whose wParam is the phase.
enum TPhase : WPARAM { kBefore = 1, kOwn = 2, kAfter = 3 };

inline MessageEntry Sent(UINT message) { return {message, msgSent, 0, 0}; }
inline MessageEntry Phase(UINT message, TPhase phase) {
  return {message, msgHandler | msgWParam, phase, 0};
}

// The control's own message handling, recording its phase first. A named type, so that a
// test can tell whether a control's WindowProc is this one again.
struct RecordingProc {
  ui::TWndMethod own;
  MessageRecorder* recorder;
  HWND window;
  void operator()(ui::TMessage& m) const {
    recorder->Add(window, m.Msg, kOwn, 0, msgHandler);
    own(m);
  }
};

// A skinner that records its phases and counts its drawing.
class TRecordingSkinner : public skin::TSkinControl {
 public:
  TRecordingSkinner(ui::TComponent* owner, MessageRecorder& recorder)
      : skin::TSkinControl(owner), recorder_(recorder) {}
  bool BeforeMessage(ui::TMessage& m) override {
    recorder_.Add(Handle(), m.Msg, kBefore, 0, msgHandler);
    return skin::TSkinControl::BeforeMessage(m);
  }
  void AfterMessage(ui::TMessage& m) override {
    recorder_.Add(Handle(), m.Msg, kAfter, 0, msgHandler);
    if (trackMouse) TrackMouseState(m, true);
    skin::TSkinControl::AfterMessage(m);
  }
  void Draw(HDC, const RECT& rect) override {
    ++draws;
    lastRect = rect;
  }
  int draws = 0;
  RECT lastRect{};
  bool trackMouse = false;

 private:
  MessageRecorder& recorder_;
};

inline std::string Difference(const MessageRecorder& recorder, const std::vector<MessageEntry>& expected) {
  return testsupport::CompareSequence(recorder.Messages(), expected);
}

}  // namespace ctltest
