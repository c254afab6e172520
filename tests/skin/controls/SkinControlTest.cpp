// The skinned-control base on real windows, through both ways of attaching: the class
// library's WindowProc of a control, and the window procedure of a bare window. The phases
// of each message (the skinner before, the control's own handling, the skinner after) are
// recorded and compared with the expected sequence.
#include <functional>
#include <set>

#include "ControlTestSupport.h"
#include "skin/data/WinSkinData.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

using namespace ctltest;
using skin::SKM_ENABLESKIN;
using skin::SKM_QUERYSKINNED;

namespace {

bool Watched(UINT m) {
  static const std::set<UINT> kept = {SKM_ENABLESKIN, SKM_QUERYSKINNED, WM_PAINT, WM_NCDESTROY,
                                      WM_SETTEXT, WM_USER + 7};
  return kept.count(m) != 0;
}

enum class TPath { ControlProc, WindowThunk };

class SkinControlTest : public testing::TestWithParam<TPath> {
 protected:
  void SetUp() override {
    form_ = std::make_unique<ui::TForm>(nullptr);
    form_->SetBounds(30, 30, 320, 200);
    data_ = new skin::TSkinData(form_.get());  // the system's colours; never registered
    button_ = new ui::TButton(form_.get());
    button_->SetParent(form_.get());
    button_->SetBounds(10, 10, 100, 30);
    button_->SetCaption(L"Button");
    form_->Show();
    h_ = button_->Handle();
    recorder_.Watch(h_);
    recorder_.Filter(Watched);
    button_->WindowProc = RecordingProc{button_->WindowProc, &recorder_, h_};
    originalProc_ = GetWindowLongPtrW(h_, GWLP_WNDPROC);
    skinner_ = new TRecordingSkinner(button_, recorder_);
    if (GetParam() == TPath::ControlProc) {
      skinner_->Attach(&host_, data_, nullptr, false);
    } else {
      skinner_->AttachHandle(h_, data_, &host_, nullptr);
    }
    testsupport::PumpFor(30);
    recorder_.Clear();
    skinner_->draws = 0;
  }

  void Expect(const std::vector<MessageEntry>& expected) {
    const std::string difference = Difference(recorder_, expected);
    EXPECT_TRUE(difference.empty()) << difference;
    recorder_.Clear();
  }

  // The control's WindowProc (or, for the thunk, the window's procedure) is the one it had
  // before the skinner came.
  bool OwnProcedureBack() const {
    if (GetParam() == TPath::ControlProc) return button_->WindowProc.target<RecordingProc>() != nullptr;
    return !IsWindow(h_) || GetWindowLongPtrW(h_, GWLP_WNDPROC) == originalProc_;
  }

  TestHost host_;
  MessageRecorder recorder_;
  std::unique_ptr<ui::TForm> form_;
  skin::TSkinData* data_ = nullptr;
  ui::TButton* button_ = nullptr;
  HWND h_ = nullptr;
  LONG_PTR originalProc_ = 0;
  TRecordingSkinner* skinner_ = nullptr;
};

TEST_P(SkinControlTest, AttachingRegistersAndMarksTheSkinnerAttached) {
  EXPECT_EQ(skinner_->Status(), skin::kSkinnerAttached);
  EXPECT_TRUE(skinner_->Hooked());
  EXPECT_TRUE(skinner_->Active());
  EXPECT_EQ(skinner_->Handle(), h_);
  EXPECT_EQ(skinner_->Unicode(), IsWindowUnicode(h_) != FALSE);
  EXPECT_EQ(skinner_->ThunkAttached(), GetParam() == TPath::WindowThunk);
  EXPECT_EQ(GetWindowLongPtrW(h_, GWLP_WNDPROC) != originalProc_, GetParam() == TPath::WindowThunk);
  ASSERT_EQ(host_.list.Count(), 1);
  EXPECT_EQ(host_.list.Items(0), skinner_);
  EXPECT_EQ(host_.list.Find(h_), skinner_);
  if (GetParam() == TPath::WindowThunk) {
    EXPECT_EQ(skinner_->Text(), L"Button");
  }
}

TEST_P(SkinControlTest, AMessageGoesBeforeOwnAfter) {
  SendMessageW(h_, WM_USER + 7, 0, 0);
  Expect({Sent(WM_USER + 7), Phase(WM_USER + 7, kBefore), Phase(WM_USER + 7, kOwn),
          Phase(WM_USER + 7, kAfter)});
}

TEST_P(SkinControlTest, PaintingDrawsTheSkinOverWhatTheControlPainted) {
  ui::TBitmap target(100, 30);
  SendMessageW(h_, WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
  Expect({Sent(WM_PAINT), Phase(WM_PAINT, kBefore), Phase(WM_PAINT, kOwn), Phase(WM_PAINT, kAfter)});
  EXPECT_EQ(skinner_->draws, 1);
  // The window rectangle moved to 0,0.
  EXPECT_EQ(skinner_->lastRect.left, 0);
  EXPECT_EQ(skinner_->lastRect.top, 0);
  EXPECT_EQ(skinner_->lastRect.right, 100);
  EXPECT_EQ(skinner_->lastRect.bottom, 30);
}

TEST_P(SkinControlTest, QuerySkinnedIsAnsweredAndNeverReachesTheControl) {
  EXPECT_EQ(SendMessageW(h_, SKM_QUERYSKINNED, 0, 0), 1);
  Expect({Sent(SKM_QUERYSKINNED), Phase(SKM_QUERYSKINNED, kBefore)});
  EXPECT_EQ(recorder_.Count(SKM_QUERYSKINNED, msgHandler), 0);
}

TEST_P(SkinControlTest, EnableSkinZeroPassesEveryMessageThroughUntouched) {
  EXPECT_EQ(SendMessageW(h_, SKM_ENABLESKIN, 0, 0), 0);
  EXPECT_FALSE(skinner_->Active());
  ui::TBitmap target(100, 30);
  SendMessageW(h_, WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
  EXPECT_EQ(SendMessageW(h_, SKM_QUERYSKINNED, 0, 0), 0);  // the button's own answer
  SetWindowTextW(h_, L"Other");
  Expect({Sent(SKM_ENABLESKIN),
          Sent(WM_PAINT), Phase(WM_PAINT, kOwn),
          Sent(SKM_QUERYSKINNED), Phase(SKM_QUERYSKINNED, kOwn),
          Sent(WM_SETTEXT), Phase(WM_SETTEXT, kOwn)});
  EXPECT_EQ(skinner_->draws, 0);
  EXPECT_EQ(button_->Caption(), L"Other");
}

TEST_P(SkinControlTest, EnableSkinOneRestoresSkinningAndRepaintsAtOnce) {
  SendMessageW(h_, SKM_ENABLESKIN, 0, 0);
  testsupport::PumpFor(30);
  recorder_.Clear();
  EXPECT_EQ(SendMessageW(h_, SKM_ENABLESKIN, 1, 0), 0);
  EXPECT_TRUE(skinner_->Active());
  // The repaint happens within the message: the control paints, the skin is drawn over it.
  Expect({Sent(SKM_ENABLESKIN), Sent(WM_PAINT), Phase(WM_PAINT, kBefore), Phase(WM_PAINT, kOwn),
          Phase(WM_PAINT, kAfter)});
  EXPECT_EQ(skinner_->draws, 1);
  EXPECT_EQ(SendMessageW(h_, SKM_QUERYSKINNED, 0, 0), 1);
}

TEST_P(SkinControlTest, NCDestroyReachesTheControlOnceAndTheOwnProcedureIsBack) {
  DestroyWindow(h_);
  Expect({Sent(WM_NCDESTROY), Phase(WM_NCDESTROY, kBefore), Phase(WM_NCDESTROY, kOwn)});
  EXPECT_EQ(skinner_->Status(), skin::kSkinnerWindowGone);
  EXPECT_FALSE(skinner_->Active());
  EXPECT_FALSE(skinner_->ThunkAttached());
  EXPECT_TRUE(OwnProcedureBack());
  // The list frees the skinners whose window is gone.
  host_.list.Purge();
  EXPECT_EQ(host_.list.Count(), 0);
  EXPECT_EQ(button_->ComponentCount(), 0);
}

TEST_P(SkinControlTest, AControlThatGetsANewWindowAfterwardsIsNoLongerSkinned) {
  button_->DestroyHandle();
  const HWND fresh = button_->Handle();
  recorder_.Watch(fresh);
  recorder_.Clear();
  EXPECT_EQ(SendMessageW(fresh, SKM_QUERYSKINNED, 0, 0), 0);
  // The control's own handler (recording under the old window) saw it; no skinner phase.
  EXPECT_EQ(recorder_.Count(SKM_QUERYSKINNED, msgHandler), 1);
  ASSERT_EQ(recorder_.Messages().size(), 2u);
  EXPECT_EQ(recorder_.Messages()[1].wParam, static_cast<WPARAM>(kOwn));
}

TEST_P(SkinControlTest, FreeingTheSkinnerGivesTheControlItsOwnProcedureBack) {
  delete skinner_;
  EXPECT_TRUE(OwnProcedureBack());
  EXPECT_EQ(GetWindowLongPtrW(h_, GWLP_WNDPROC), originalProc_);
  EXPECT_EQ(host_.list.Count(), 0);
  recorder_.Clear();
  EXPECT_EQ(SendMessageW(h_, SKM_QUERYSKINNED, 0, 0), 0);
  Expect({Sent(SKM_QUERYSKINNED), Phase(SKM_QUERYSKINNED, kOwn)});
}

// Told when the skinner goes, while its control is still whole.
class TGoneWatcher : public ui::TComponent {
 public:
  TGoneWatcher(std::function<void()> told) : ui::TComponent(nullptr), told_(std::move(told)) {}

 protected:
  void Notification(ui::TComponent*, ui::TOperation operation) override {
    if (operation == ui::TOperation::opRemove) told_();
  }

 private:
  std::function<void()> told_;
};

TEST_P(SkinControlTest, DestroyingTheControlFreesItsSkinnerAndItsOwnProcedureIsBackFirst) {
  bool gone = false, backWhenGone = false;
  TGoneWatcher watcher([&] {
    gone = true;
    backWhenGone = OwnProcedureBack() && GetWindowLongPtrW(h_, GWLP_WNDPROC) == originalProc_;
  });
  watcher.FreeNotification(skinner_);
  delete button_;
  EXPECT_TRUE(gone);
  EXPECT_TRUE(backWhenGone);
  EXPECT_EQ(host_.list.Count(), 0);
  EXPECT_FALSE(IsWindow(h_));
  // The window went without the skinner: its end reached the control's own procedure only.
  EXPECT_EQ(recorder_.Count(WM_NCDESTROY, msgHandler), 1);
  button_ = nullptr;
}

TEST_P(SkinControlTest, ASecondAttachIsHarmless) {
  if (GetParam() == TPath::ControlProc) {
    skinner_->Attach(&host_, data_, nullptr, false);
  } else {
    const LONG_PTR thunk = GetWindowLongPtrW(h_, GWLP_WNDPROC);
    skinner_->AttachHandle(h_, data_, &host_, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(h_, GWLP_WNDPROC), thunk);
  }
  EXPECT_EQ(host_.list.Count(), 1);
  SendMessageW(h_, WM_USER + 7, 0, 0);
  Expect({Sent(WM_USER + 7), Phase(WM_USER + 7, kBefore), Phase(WM_USER + 7, kOwn),
          Phase(WM_USER + 7, kAfter)});
  delete skinner_;
  EXPECT_EQ(GetWindowLongPtrW(h_, GWLP_WNDPROC), originalProc_);
}

TEST_P(SkinControlTest, WideTextReachesAWideWindowUnchanged) {
  ASSERT_TRUE(IsWindowUnicode(h_));
  const std::wstring text = L"按钮 – ünïcode";
  SetWindowTextW(h_, text.c_str());
  wchar_t read[64] = {};
  GetWindowTextW(h_, read, 64);
  EXPECT_EQ(std::wstring(read), text);
  EXPECT_EQ(skin::ReadWindowText(h_), text);
}

TEST_P(SkinControlTest, HotAndPressedFollowTheMouseAndTheSpaceKey) {
  skinner_->trackMouse = true;
  const int before = skinner_->draws;
  SendMessageW(h_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(skinner_->Hot());
  EXPECT_GT(skinner_->draws, before);  // repainted at once
  SendMessageW(h_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(skinner_->Pressed());
  SendMessageW(h_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(skinner_->Pressed());
  EXPECT_TRUE(skinner_->Hot());
  SendMessageW(h_, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(skinner_->Pressed());
  SendMessageW(h_, WM_KEYUP, VK_SPACE, 0);
  EXPECT_FALSE(skinner_->Pressed());
  SendMessageW(h_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(h_, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(skinner_->State(), 0);
  ReleaseCapture();
  // A disabled control does not turn hot.
  button_->SetEnabled(false);
  SendMessageW(h_, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
  EXPECT_FALSE(skinner_->Hot());
}

INSTANTIATE_TEST_SUITE_P(BothPaths, SkinControlTest,
                         testing::Values(TPath::ControlProc, TPath::WindowThunk),
                         [](const testing::TestParamInfo<TPath>& info) {
                           return info.param == TPath::ControlProc ? "ControlProc" : "WindowThunk";
                         });

// Colour and background rules: a panel attached with ChangeColor.
class SkinColourTest : public testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<ui::TForm>(nullptr);
    form_->SetBounds(30, 30, 320, 200);
    data_ = new skin::TSkinData(form_.get());
    panel_ = new ui::TPanel(form_.get());
    panel_->SetParent(form_.get());
    panel_->SetBounds(10, 10, 100, 50);
    panel_->SetColor(ui::clRed);
    form_->Show();
  }
  skin::TSkinControl* AttachNew(ui::TControl* control, bool changeColor) {
    auto* skinner = new skin::TSkinControl(control);
    skinner->Attach(&host_, data_, nullptr, changeColor);
    return skinner;
  }
  ui::TColor Face() const { return static_cast<ui::TColor>(GetSysColor(COLOR_BTNFACE)); }

  TestHost host_;
  std::unique_ptr<ui::TForm> form_;
  skin::TSkinData* data_ = nullptr;
  ui::TPanel* panel_ = nullptr;
};

TEST_F(SkinColourTest, ChangeColorTakesTheSkinsFaceAndDetachGivesTheColourBack) {
  skin::TSkinControl* skinner = AttachNew(panel_, true);
  EXPECT_EQ(panel_->Color(), Face());
  EXPECT_EQ(skinner->SavedColor(), ui::clRed);
  skinner->Detach();
  EXPECT_EQ(panel_->Color(), ui::clRed);
}

TEST_F(SkinColourTest, AttachingTwiceSavesTheColourOnce) {
  skin::TSkinControl* skinner = AttachNew(panel_, true);
  skinner->Attach(&host_, data_, nullptr, true);
  EXPECT_EQ(skinner->SavedColor(), ui::clRed);
  EXPECT_EQ(host_.list.Count(), 1);
  skinner->Detach();
  EXPECT_EQ(panel_->Color(), ui::clRed);
}

TEST_F(SkinColourTest, WithoutChangeColorTheColourStays) {
  skin::TSkinControl* skinner = AttachNew(panel_, false);
  EXPECT_EQ(panel_->Color(), ui::clRed);
  skinner->SkinChanged();
  EXPECT_EQ(panel_->Color(), ui::clRed);
}

TEST_F(SkinColourTest, ParentBackgroundIsTurnedOffAndBackOn) {
  panel_->SetParentBackground(true);
  skin::TSkinControl* skinner = AttachNew(panel_, true);
  EXPECT_FALSE(panel_->ParentBackground());
  EXPECT_TRUE(skinner->ParentBackgroundChanged());
  EXPECT_EQ(skinner->Kind(), 1);
  skinner->Detach();
  EXPECT_TRUE(panel_->ParentBackground());
}

TEST_F(SkinColourTest, ParentBackgroundOffStaysOff) {
  panel_->SetParentBackground(false);
  skin::TSkinControl* skinner = AttachNew(panel_, true);
  EXPECT_FALSE(skinner->ParentBackgroundChanged());
  EXPECT_EQ(skinner->Kind(), 0);
  skinner->Detach();
  EXPECT_FALSE(panel_->ParentBackground());
}

TEST_F(SkinColourTest, ParentBackgroundIsLeftAloneWithTheOption) {
  data_->SetOptions(skin::SetOf({skin::xoParentBackGround}));
  panel_->SetParentBackground(true);
  skin::TSkinControl* skinner = AttachNew(panel_, true);
  EXPECT_TRUE(panel_->ParentBackground());
  EXPECT_EQ(skinner->Kind(), 0);
  skinner->Detach();
  EXPECT_TRUE(panel_->ParentBackground());
}

TEST_F(SkinColourTest, AControlWithoutTheBackgroundPropertyIsAttachedWithoutError) {
  auto* button = new ui::TButton(form_.get());
  button->SetParent(form_.get());
  button->SetColor(ui::clBlue);
  skin::TSkinControl* skinner = AttachNew(button, true);
  EXPECT_EQ(skinner->Status(), skin::kSkinnerAttached);
  EXPECT_FALSE(skinner->ParentBackgroundChanged());
  EXPECT_EQ(button->Color(), Face());
  skinner->Detach();
  EXPECT_EQ(button->Color(), ui::clBlue);
}

TEST_F(SkinColourTest, SkinChangedTakesTheFaceColourAgain) {
  AttachNew(panel_, true)->SkinChanged();
  panel_->SetColor(ui::clGreen);
  host_.list.Items(0)->SkinChanged();
  EXPECT_EQ(panel_->Color(), Face());
}

TEST_F(SkinColourTest, AWindowlessControlIsSkinnedThroughItsWindowProc) {
  auto* label = new ui::TLabel(form_.get());
  label->SetParent(form_.get());
  label->SetBounds(150, 10, 60, 20);
  skin::TSkinControl* skinner = AttachNew(label, false);
  EXPECT_EQ(skinner->GraphicControl(), label);
  EXPECT_EQ(skinner->Handle(), nullptr);
  EXPECT_EQ(label->Perform(SKM_QUERYSKINNED), 1);
  // Freed with the label: it leaves the list, the label's procedure is its own again first.
  delete label;
  EXPECT_EQ(host_.list.Count(), 0);
}

TEST(SkinStateFrame, TheBaseMapsStatesToFrames) {
  using skin::StateFrame;
  EXPECT_EQ(StateFrame({true, false, false, false}), 1);
  EXPECT_EQ(StateFrame({true, false, true, false}), 2);
  EXPECT_EQ(StateFrame({false, true, true, true}), 3);
  EXPECT_EQ(StateFrame({true, true, false, false}), 4);
  EXPECT_EQ(StateFrame({true, false, false, true}), 5);
  EXPECT_EQ(StateFrame({true, true, true, true}), 2);
  EXPECT_EQ(StateFrame({true, true, false, true}), 4);
}

}  // namespace
