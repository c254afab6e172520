// Message sequences of the frame skinner, recorded as the window sees them and compared with
// the expected lists as Wine's conformance tests do: attaching and starting, the client-area
// calculation, detaching, and the end of the window.
#include "FrameTestSupport.h"

#include <set>

#include "MessageSequence.h"
#include "skin/data/SkinMessages.h"

using namespace skin;
using namespace frametest;
using testsupport::CompareSequence;
using testsupport::MessageEntry;
using testsupport::MessageRecorder;
using testsupport::msgHandler;
using testsupport::msgLParam;
using testsupport::msgOptional;
using testsupport::msgPosted;
using testsupport::msgSent;
using testsupport::msgWParam;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

// The messages these sequences are about; the rest (painting, focus, text queries) varies
// with the system and is left out.
bool FrameMessage(UINT m) {
  static const std::set<UINT> kept = {
      SKM_QUERYSKINNED, SKM_STARTFRAME, SKM_SKINUPDATE, WM_STYLECHANGING, WM_STYLECHANGED,
      WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCCALCSIZE, WM_MOVE, WM_SIZE,
      WM_GETMINMAXINFO, WM_DESTROY, WM_NCDESTROY};
  return kept.count(m) != 0;
}

class FrameSequenceTest : public FrameTest {
 protected:
  // A shown form that is not skinned yet, watched by the recorder; the form's own message
  // handling adds what it receives as handler entries.
  HWND WatchedForm() {
    M()->SetActive(false);
    ui::TForm& form = ShowForm();
    M()->SetActive(true);
    PumpFor(20);
    const HWND h = form.Handle();
    recorder_.Watch(h);
    recorder_.Filter(FrameMessage);
    const ui::TWndMethod own = form.WindowProc;
    form.WindowProc = [this, h, own](ui::TMessage& m) {
      recorder_.Add(h, m.Msg, m.WParam, m.LParam, msgHandler);
      own(m);
    };
    return h;
  }
  void ExpectSequence(const std::vector<MessageEntry>& expected) {
    const std::string difference = CompareSequence(recorder_.Messages(), expected);
    EXPECT_TRUE(difference.empty()) << difference;
    recorder_.Clear();
  }

  MessageRecorder recorder_;
};

// A message as the window sees it: sent to the window, then received by its own handling.
std::vector<MessageEntry> SentAndHandled(UINT message, unsigned flags = 0, WPARAM wParam = 0,
                                        LPARAM lParam = 0) {
  return {{message, msgSent | flags, wParam, lParam}, {message, msgHandler | flags, wParam, lParam}};
}

std::vector<MessageEntry> Join(std::initializer_list<std::vector<MessageEntry>> parts) {
  std::vector<MessageEntry> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// A size or frame change that the window's own handling sees in full.
std::vector<MessageEntry> FrameChange(bool moved) {
  return Join({SentAndHandled(WM_WINDOWPOSCHANGING),
               SentAndHandled(WM_GETMINMAXINFO, msgOptional),
               SentAndHandled(WM_NCCALCSIZE, msgWParam, TRUE),
               SentAndHandled(WM_WINDOWPOSCHANGED),
               SentAndHandled(WM_MOVE, moved ? 0u : msgOptional)});
}

// The style changes of the caption style being taken away or given back.
std::vector<MessageEntry> StyleChange() {
  return Join({SentAndHandled(WM_STYLECHANGING, msgWParam, static_cast<WPARAM>(GWL_STYLE)),
               SentAndHandled(WM_STYLECHANGED, msgWParam, static_cast<WPARAM>(GWL_STYLE))});
}

TEST_F(FrameSequenceTest, AttachingAndStarting) {
  const HWND h = WatchedForm();
  recorder_.Clear();
  ASSERT_TRUE(M()->AttachWindow(h));
  ASSERT_NE(RunningFrame(h), nullptr);
  // Asked first; the caption style goes at attach; the start message is the frame's alone;
  // fitting moves the client area to the skin's borders without resizing it (no WM_SIZE);
  // the region comes with a frame change; the window hears that the skin was applied.
  ExpectSequence(Join({SentAndHandled(SKM_QUERYSKINNED),
                       StyleChange(),
                       {{SKM_STARTFRAME, msgPosted | msgWParam | msgLParam, 0, 1000}},
                       FrameChange(true),
                       FrameChange(false),
                       SentAndHandled(SKM_SKINUPDATE, msgWParam | msgLParam, 0, kSkinMagic)}));
  EXPECT_EQ(recorder_.Count(SKM_STARTFRAME, msgHandler), 0);
}

TEST_F(FrameSequenceTest, TheClientAreaIsTheWindowLessTheSkinsBorders) {
  const HWND h = WatchedForm();
  ASSERT_TRUE(M()->AttachWindow(h));
  ASSERT_NE(RunningFrame(h), nullptr);
  recorder_.Clear();
  SetWindowPos(h, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ExpectSequence(Join({SentAndHandled(WM_WINDOWPOSCHANGING),
                       SentAndHandled(WM_NCCALCSIZE, msgWParam, TRUE),
                       SentAndHandled(WM_WINDOWPOSCHANGED)}));

  // Asked directly: the window's own handling runs first, then the skin's borders decide.
  WINDOWPOS pos{h, nullptr, 100, 50, 400, 300, 0};
  NCCALCSIZE_PARAMS params{};
  params.rgrc[0] = {100, 50, 500, 350};
  params.rgrc[1] = params.rgrc[0];
  params.rgrc[2] = params.rgrc[0];
  params.lppos = &pos;
  EXPECT_EQ(SendMessageW(h, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params)), WVR_VALIDRECTS);
  const RECT client{104, 76, 496, 346};
  EXPECT_TRUE(EqualRect(&params.rgrc[0], &client));
  EXPECT_TRUE(EqualRect(&params.rgrc[1], &client));
  ExpectSequence(SentAndHandled(WM_NCCALCSIZE, msgWParam, TRUE));

  RECT bare{100, 50, 500, 350};
  EXPECT_EQ(SendMessageW(h, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&bare)), 0);
  ExpectSequence(SentAndHandled(WM_NCCALCSIZE, msgWParam, FALSE));
}

TEST_F(FrameSequenceTest, DetachingGivesTheSystemFrameBack) {
  const HWND h = WatchedForm();
  ASSERT_TRUE(M()->AttachWindow(h));
  ASSERT_NE(RunningFrame(h), nullptr);
  M()->SetManagerState(kManagerRunning);
  PumpFor(50);
  recorder_.Clear();
  data_->SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return M()->FormSkinners().empty(); }));
  // The caption style comes back, the window is resized around its client area with the
  // system's frame, and the region goes; nothing of the engine's own messages. (A late
  // activation may still ask the window, which the frame answers itself.)
  ExpectSequence(Join({{{SKM_QUERYSKINNED, msgSent | msgOptional}},
                       StyleChange(), FrameChange(true), FrameChange(false)}));
  EXPECT_EQ(SendMessageW(h, SKM_QUERYSKINNED, 0, 0), 0);
  ExpectSequence(SentAndHandled(SKM_QUERYSKINNED));
}

TEST_F(FrameSequenceTest, TheWindowsEndIsHandledOnce) {
  const HWND h = WatchedForm();
  ASSERT_TRUE(M()->AttachWindow(h));
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  recorder_.Clear();
  forms_.back()->DestroyHandle();
  ExpectSequence(Join({SentAndHandled(WM_WINDOWPOSCHANGING, msgOptional),
                       SentAndHandled(WM_WINDOWPOSCHANGED, msgOptional),
                       SentAndHandled(WM_DESTROY), SentAndHandled(WM_NCDESTROY)}));
  EXPECT_EQ(frame->FrameState(), fsDestroyed);
  EXPECT_EQ(TWinSkinForm::FromWindow(h), nullptr);
  M()->PurgeClosedSkinners();
  EXPECT_TRUE(M()->FormSkinners().empty());
}

// The comparison itself: optional entries, parameters and kinds.
TEST(MessageSequenceTest, ComparesAsTheConformanceTestsDo) {
  const std::vector<MessageEntry> seen = {{WM_SIZE, msgSent, 0, 5}, {WM_MOVE, msgPosted, 1, 2}};
  EXPECT_EQ(CompareSequence(seen, {{WM_SIZE}, {WM_MOVE}}), "");
  EXPECT_EQ(CompareSequence(seen, {{WM_PAINT, msgOptional}, {WM_SIZE}, {WM_NCPAINT, msgOptional},
                                   {WM_MOVE, msgPosted | msgWParam, 1}}),
            "");
  EXPECT_NE(CompareSequence(seen, {{WM_SIZE}}), "");                       // one too many
  EXPECT_NE(CompareSequence(seen, {{WM_SIZE}, {WM_MOVE}, {WM_PAINT}}), "");  // one missing
  EXPECT_NE(CompareSequence(seen, {{WM_MOVE}, {WM_SIZE}}), "");              // out of order
  EXPECT_NE(CompareSequence(seen, {{WM_SIZE, msgPosted}, {WM_MOVE}}), "");   // wrong kind
  EXPECT_NE(CompareSequence(seen, {{WM_SIZE, msgLParam, 0, 6}, {WM_MOVE}}), "");
  EXPECT_NE(CompareSequence(seen, {{WM_SIZE}, {WM_MOVE, msgWParam, 2}}), "");
  EXPECT_EQ(CompareSequence({}, {{WM_SIZE, msgOptional}}), "");
}

}  // namespace

namespace {

TEST_F(FrameSequenceTest, ANewCaptionRecomputesTheFrame) {
  const HWND h = WatchedForm();
  ASSERT_TRUE(M()->AttachWindow(h));
  ASSERT_NE(RunningFrame(h), nullptr);
  recorder_.Clear();
  forms_.back()->SetCaption(L"A new caption");
  ExpectSequence(Join({SentAndHandled(WM_WINDOWPOSCHANGING),
                       SentAndHandled(WM_NCCALCSIZE, msgWParam, TRUE),
                       SentAndHandled(WM_WINDOWPOSCHANGED)}));
  EXPECT_EQ(Width(ClientRect(h)), 300);
}

}  // namespace

namespace {

// The frame paints the non-client area itself: neither painting nor a change of activation
// reaches the window's own handling (and so the system's default frame painting behind it).
TEST_F(FrameSequenceTest, NonClientPaintingAndActivationNeverReachTheSystemsFramePainting) {
  const HWND h = WatchedForm();
  ASSERT_TRUE(M()->AttachWindow(h));
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  recorder_.Filter([](UINT m) { return m == WM_NCPAINT || m == WM_NCACTIVATE; });
  PumpFor(50);
  recorder_.Clear();

  RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  ExpectSequence({{WM_NCPAINT, msgSent}});

  SendMessageW(h, WM_NCACTIVATE, FALSE, 0);
  EXPECT_FALSE(frame->Active());
  SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
  EXPECT_TRUE(frame->Active());
  ExpectSequence({{WM_NCACTIVATE, msgSent | msgWParam, FALSE}, {WM_NCACTIVATE, msgSent | msgWParam, TRUE}});

  // Real activation changes: another window comes to the front and the form comes back.
  ui::TForm& other = ShowForm(ui::bsSingle, 0, 200, 100);
  SetForegroundWindow(other.Handle());
  PumpUntil([&] { return !frame->Active(); });
  SetForegroundWindow(h);
  PumpUntil([&] { return frame->Active(); });
  RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GE(recorder_.Count(WM_NCACTIVATE, msgSent), 2);
  EXPECT_GE(recorder_.Count(WM_NCPAINT, msgSent), 1);
  EXPECT_EQ(recorder_.Count(WM_NCACTIVATE, msgHandler), 0);
  EXPECT_EQ(recorder_.Count(WM_NCPAINT, msgHandler), 0);
}

}  // namespace
