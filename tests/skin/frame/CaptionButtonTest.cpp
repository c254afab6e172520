// Caption buttons of the skinned frame: which of the skin's buttons a window shows, where they
// lie, the picture frame of each state (checked pixel for pixel against the skin's own
// pictures), hit-testing, hot tracking and the click rules (an action only for a press
// released over the same button); a skin without the maximize button keeps it in the system's
// look.
#include "FrameTestSupport.h"

#include <algorithm>
#include <set>

#include "CaptionFallbackChecks.h"
#include "MessageSequence.h"
#include "PartialSkins.h"
#include "skin/model/SkinBitmap.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/CaptionButtons.h"
#include "ui/WindowSubclass.h"

using namespace skin;
using namespace frametest;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr int kSysMenuAndMinimize = (1 << ui::biSystemMenu) | (1 << ui::biMinimize);
constexpr int kAllIcons = kSysMenuAndMinimize | (1 << ui::biMaximize);

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::set<std::string> ShownNames(const TSkinData& data, const TCaptionContext& context) {
  std::set<std::string> names;
  for (const auto& def : data.CaptionButtons()) {
    if (CaptionButtonShown(*def, context)) names.insert(def->Name);
  }
  return names;
}

std::set<std::string> EnabledNames(const TWinSkinForm& frame) {
  std::set<std::string> names;
  for (const auto& b : frame.Buttons()) {
    if (b->Enabled) names.insert(b->Definition().Name);
  }
  return names;
}

TWinSysButton* ButtonNamed(const TWinSkinForm& frame, const std::string& name) {
  for (const auto& b : frame.Buttons()) {
    if (b->Definition().Name == name) return b.get();
  }
  return nullptr;
}

// The painted button compared with frame `index` of its picture wherever the picture is not
// magenta; magenta pixels must show the title bar beneath. Answers the pixels compared.
int CompareButton(HDC dc, const TWinSysButton& button, int index) {
  const TDataSkinSysButton& def = button.Definition();
  const int fw = def.Bitmap->Width() / def.Frame, fh = def.Bitmap->Height();
  EXPECT_EQ(button.Bounds.right - button.Bounds.left, fw);
  EXPECT_EQ(button.Bounds.bottom - button.Bounds.top, fh);
  int compared = 0, wrong = 0, keyShown = 0;
  for (int y = 0; y < fh; ++y) {
    for (int x = 0; x < fw; ++x) {
      const std::uint32_t skin = PixelAt(*def.Bitmap, (index - 1) * fw + x, y);
      const unsigned painted = testsupport::PixelRGB(dc, button.Bounds.left + x, button.Bounds.top + y);
      if (skin == kMagenta) {
        keyShown += painted == kMagenta ? 1 : 0;
        continue;
      }
      ++compared;
      if (painted != skin && ++wrong <= 5) {
        ADD_FAILURE() << def.Name << " frame " << index << " pixel " << x << "," << y << ": painted "
                      << std::hex << painted << ", skin " << skin;
      }
    }
  }
  EXPECT_EQ(wrong, 0) << def.Name << " frame " << index;
  EXPECT_EQ(keyShown, 0) << def.Name << ": the key colour must stay transparent";
  return compared;
}

bool FramesDiffer(const TDataSkinSysButton& def, int a, int b) {
  const int fw = def.Bitmap->Width() / def.Frame;
  for (int y = 0; y < def.Bitmap->Height(); ++y) {
    for (int x = 0; x < fw; ++x) {
      if (PixelAt(*def.Bitmap, (a - 1) * fw + x, y) != PixelAt(*def.Bitmap, (b - 1) * fw + x, y)) return true;
    }
  }
  return false;
}

class CaptionButtonTest : public FrameTest {
 protected:
  // A shown, active form with those border icons, its frame running.
  TWinSkinForm* ShowIconsForm(int icons, ui::TFormBorderStyle style = ui::bsSingle) {
    auto form = std::make_unique<ui::TForm>(nullptr);
    form->SetBorderStyle(style);
    form->SetBorderIcons(icons);
    form->SetBounds(40, 40, 100, 100);
    form->SetClientSize(300, 200);
    form->SetCaption(L"Caption buttons");
    form->OnClose = [this](ui::TObject*) { ++closes_; };
    form->Show();
    forms_.push_back(std::move(form));
    window_ = forms_.back()->Handle();
    TWinSkinForm* frame = RunningFrame(window_);
    if (!frame) return nullptr;
    PumpUntil([&] { return frame->Active(); });
    return frame;
  }

  // Screen point of a window point.
  LPARAM ScreenAt(POINT windowPoint) const {
    const RECT r = WindowRect(window_);
    return MAKELPARAM(r.left + windowPoint.x, r.top + windowPoint.y);
  }
  // Client point of a window point, for messages that come while the mouse is captured.
  LPARAM ClientAt(const TWinSkinForm& frame, POINT windowPoint) const {
    return MAKELPARAM(windowPoint.x - frame.LeftWidth(), windowPoint.y - frame.TitleHeight());
  }
  void MoveOver(const TWinSysButton& b, WPARAM hit) {
    SendMessageW(window_, WM_NCMOUSEMOVE, hit, ScreenAt(Centre(b.Bounds)));
  }
  void Press(const TWinSysButton& b, WPARAM hit) {
    SendMessageW(window_, WM_NCLBUTTONDOWN, hit, ScreenAt(Centre(b.Bounds)));
  }
  // Paints the whole frame into a fresh DIB of the window's size.
  std::unique_ptr<ui::TBitmap> PaintedFrame() const {
    const RECT r = WindowRect(window_);
    auto target = std::make_unique<ui::TBitmap>(Width(r), Height(r));
    EXPECT_EQ(SendMessageW(window_, SKM_PAINTFRAME,
                           reinterpret_cast<WPARAM>(target->Canvas()->Handle()), kSkinMagic),
              kSkinMagic);
    return target;
  }

  HWND window_ = nullptr;
  int closes_ = 0;
};

// What each skin of ours shows on a window with a system menu and a minimize box (and no
// maximize box), w pixels wide: the minimize button's section, where the close and minimize
// buttons lie, and whether they are counted from the right edge.
struct TOwnCaption {
  std::string Minimize;
  RECT Close, MinimizeBox;
  bool FromTheRight;
};

TOwnCaption OwnCaption(const std::string& skin, int w) {
  if (skin == testsupport::kDaylightSkin) return {"BUTTON.MINIMIZE", {8, 5, 28, 25}, {32, 5, 52, 25}, false};
  return {"BUTTON.MINIMIZEALONE", {w - 28, 4, w - 6, 22}, {w - 52, 4, w - 30, 22}, true};
}

// CaptionButtonTest once with each skin of ours.
class CaptionButtonSkinTest : public testsupport::OwnSkinsOf<CaptionButtonTest> {
 protected:
  std::string MinimizeName() const { return OwnCaption(GetParam(), 0).Minimize; }
};
INSTANTIATE_FOR_OWN_SKINS(CaptionButtonSkinTest);

TEST(CaptionButtonRules, TheStatesFrameComesFromOneTable) {
  // Active: normal 1, pressed 2, hot 3.
  EXPECT_EQ(CaptionButtonFrame(ncsNormal, true, 4, 0), 1);
  EXPECT_EQ(CaptionButtonFrame(ncsPressed, true, 4, 0), 2);
  EXPECT_EQ(CaptionButtonFrame(ncsHot, true, 4, 0), 3);
  // Inactive: the normal look is frame 4 when the picture has it.
  EXPECT_EQ(CaptionButtonFrame(ncsNormal, false, 4, 0), 4);
  EXPECT_EQ(CaptionButtonFrame(ncsNormal, false, 3, 0), 1);
  EXPECT_EQ(CaptionButtonFrame(ncsPressed, false, 4, 0), 2);
  // The MDI child's buttons show their hot look in frame 4.
  EXPECT_EQ(CaptionButtonFrame(ncsHot, true, 4, kMDIButtonVisibility), 4);
  // Never beyond the picture's frames.
  EXPECT_EQ(CaptionButtonFrame(ncsHot, true, 1, 0), 1);
  EXPECT_EQ(CaptionButtonFrame(ncsPressed, true, 1, 0), 1);
}

TEST(CaptionButtonRules, EachActionAnswersItsSystemHitTestCode) {
  EXPECT_EQ(CaptionButtonHitCode(caClose), HTCLOSE);
  EXPECT_EQ(CaptionButtonHitCode(caMaximize), HTMAXBUTTON);
  EXPECT_EQ(CaptionButtonHitCode(caMaximize2), HTMAXBUTTON);
  EXPECT_EQ(CaptionButtonHitCode(caMinimize), HTMINBUTTON);
  EXPECT_EQ(CaptionButtonHitCode(caMinimize2), HTMINBUTTON);
  EXPECT_EQ(CaptionButtonHitCode(caSystemMenu), HTSYSMENU);
  EXPECT_EQ(CaptionButtonHitCode(caIcon), HTSYSMENU);
  EXPECT_EQ(CaptionButtonHitCode(40), HTCAPTION);
}

TEST(CaptionButtonRules, PlacementFollowsAlign) {
  TDataSkinSysButton def("TEST");
  def.Bitmap->SetSize(88, 18);
  def.Frame = 4;
  def.Xcoord = 28;
  def.Ycoord = 4;
  const SIZE icon{16, 16};
  const TMenuBarPlace bar{26, 20, 4, 4, 3, false};
  def.Align = 1;  // from the right edge
  RECT r = CaptionButtonBounds(def, 300, icon, bar);
  EXPECT_TRUE(SameRect(r, RECT{272, 4, 294, 22}));
  def.Align = 0;  // from the left edge
  r = CaptionButtonBounds(def, 300, icon, bar);
  EXPECT_TRUE(SameRect(r, RECT{28, 4, 50, 22}));
  def.Align = 2;
  r = CaptionButtonBounds(def, 300, icon, bar);
  EXPECT_EQ(r.left, -(22 + 28));
  def.Align = 100;  // on the menu bar, centred in its height
  r = CaptionButtonBounds(def, 300, icon, bar);
  EXPECT_EQ(r.top, 26 + (20 - 18) / 2);
  EXPECT_EQ(r.left, 300 - 28 - 4 - 3);
  // An icon button without picture takes the small icon's size; another one has no place.
  TDataSkinSysButton bare("BARE");
  bare.Action = caSystemMenu;
  bare.Xcoord = 6;
  bare.Ycoord = 5;
  r = CaptionButtonBounds(bare, 300, icon, bar);
  EXPECT_TRUE(SameRect(r, RECT{6, 5, 22, 21}));
  bare.Action = caClose;
  r = CaptionButtonBounds(bare, 300, icon, bar);
  EXPECT_TRUE(IsRectEmpty(&r));
}

TEST_P(CaptionButtonSkinTest, TheVisibilityCodesChooseTheButtonsOfEachKindOfWindow) {
  TCaptionContext main;
  main.HasSystemMenu = main.HasMinimizeBox = true;
  EXPECT_EQ(ShownNames(*data_, main),
            (std::set<std::string>{"BUTTON.CLOSE", MinimizeName(), "BUTTON.ICON"}));
  TCaptionContext all = main;
  all.HasMaximizeBox = true;
  EXPECT_EQ(ShownNames(*data_, all), (std::set<std::string>{"BUTTON.CLOSE", "BUTTON.MAXIMIZE",
                                                            "BUTTON.MINIMIZE", "BUTTON.ICON"}));
  all.Maximized = true;
  EXPECT_EQ(ShownNames(*data_, all), (std::set<std::string>{"BUTTON.CLOSE", "BUTTON.RESTORE",
                                                            "BUTTON.MINIMIZE", "BUTTON.ICON"}));
  // Without a system menu: no close button, and a minimize box alone shows no minimize.
  TCaptionContext bare;
  bare.HasMinimizeBox = true;
  EXPECT_EQ(ShownNames(*data_, bare), (std::set<std::string>{"BUTTON.ICON"}));
  // A dialog border hides the icon button.
  TCaptionContext dialog;
  dialog.HasSystemMenu = dialog.DialogBorder = true;
  EXPECT_EQ(ShownNames(*data_, dialog), (std::set<std::string>{"BUTTON.CLOSE"}));
  // The MDI child's buttons show only on a frame whose maximized child shares its menu bar.
  TCaptionContext mdi = all;
  mdi.MDIChildMaximizedWithMenu = true;
  EXPECT_EQ(ShownNames(*data_, mdi).count("MDICONTROLS1"), 1u);
  EXPECT_EQ(ShownNames(*data_, all).count("MDICONTROLS1"), 0u);
}

// A window answering SKM_CAPTIONVISIBLE: positive for code 1500 only.
LRESULT CALLBACK AskedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SKM_CAPTIONVISIBLE) return wParam == 1500 && lParam == 40 ? 1 : 0;
  return DefWindowProcW(window, msg, wParam, lParam);
}

TEST(CaptionButtonRules, CodesFrom1000To2000AskTheWindow) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = AskedWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VexloCaptionVisibleAsked";
  RegisterClassW(&wc);
  const HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  TDataSkinSysButton def("CUSTOM");
  def.Action = 40;
  def.Visibility1 = 0;
  TCaptionContext context;
  context.Window = window;
  def.Visibility = 1500;
  EXPECT_TRUE(CaptionButtonShown(def, context));
  def.Visibility = 1501;
  EXPECT_FALSE(CaptionButtonShown(def, context));
  def.Visibility = 5;  // not a code: never
  EXPECT_FALSE(CaptionButtonShown(def, context));
  def.Visibility = 0;
  def.Visibility1 = 1700;  // the second code asks nobody
  EXPECT_TRUE(CaptionButtonShown(def, context));
  DestroyWindow(window);
}

TEST_P(CaptionButtonSkinTest, AWindowWithSystemMenuAndMinimizeBoxShowsCloseMinimizeAndIcon) {
  TWinSkinForm* frame = ShowIconsForm(kSysMenuAndMinimize);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(EnabledNames(*frame),
            (std::set<std::string>{"BUTTON.CLOSE", MinimizeName(), "BUTTON.ICON"}));
  const int w = Width(WindowRect(window_));
  const TOwnCaption expected = OwnCaption(GetParam(), w);
  const RECT close = ButtonNamed(*frame, "BUTTON.CLOSE")->Bounds;
  const RECT minimize = ButtonNamed(*frame, MinimizeName())->Bounds;
  EXPECT_TRUE(SameRect(close, expected.Close));
  EXPECT_TRUE(SameRect(minimize, expected.MinimizeBox));
  // Hit-testing answers the button under the point from the same rectangles.
  EXPECT_EQ(HitTest(window_, Centre(close).x, Centre(close).y), HTCLOSE);
  EXPECT_EQ(HitTest(window_, Centre(minimize).x, Centre(minimize).y), HTMINBUTTON);
  const RECT icon = ButtonNamed(*frame, "BUTTON.ICON")->Bounds;
  EXPECT_EQ(HitTest(window_, Centre(icon).x, Centre(icon).y), HTSYSMENU);
  const int between = expected.FromTheRight ? close.left - 1 : close.right;
  EXPECT_EQ(HitTest(window_, between, Centre(close).y), HTCAPTION);  // between buttons
  EXPECT_EQ(HitTest(window_, w / 2, 13), HTCAPTION);
  // A wider window moves the buttons counted from its right edge along before anything is
  // painted; those counted from the left stay.
  SetWindowPos(window_, nullptr, 0, 0, w + 40, Height(WindowRect(window_)),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT moved = ButtonNamed(*frame, "BUTTON.CLOSE")->Bounds;
  EXPECT_EQ(moved.left, OwnCaption(GetParam(), w + 40).Close.left);
  EXPECT_EQ(HitTest(window_, Centre(moved).x, Centre(moved).y), HTCLOSE);
  if (expected.FromTheRight) {
    EXPECT_EQ(HitTest(window_, Centre(close).x, Centre(close).y), HTCAPTION);  // where it was
  }
  const RECT minimized = ButtonNamed(*frame, MinimizeName())->Bounds;
  EXPECT_EQ(HitTest(window_, Centre(minimized).x, Centre(minimized).y), HTMINBUTTON);
  // The icon button follows its own edge too.
  const RECT movedIcon = ButtonNamed(*frame, "BUTTON.ICON")->Bounds;
  EXPECT_EQ(movedIcon.left - icon.left, ButtonNamed(*frame, "BUTTON.ICON")->Definition().Align == 1 ? 40 : 0);
}

// A button answers over every pixel of its picture, up to the edges, and not one pixel
// beyond; a press on one corner pixel released on the opposite one is a click.
TEST_P(CaptionButtonSkinTest, TheHitAreaIsTheWholePictureToItsEdgePixels) {
  TWinSkinForm* frame = ShowIconsForm(kSysMenuAndMinimize);
  ASSERT_NE(frame, nullptr);
  for (const auto& [name, code] : {std::pair{std::string("BUTTON.CLOSE"), HTCLOSE}, std::pair{MinimizeName(), HTMINBUTTON}}) {
    const RECT r = ButtonNamed(*frame, name)->Bounds;
    const POINT c = Centre(r);
    for (const POINT p : {POINT{r.left, r.top}, POINT{r.right - 1, r.top}, POINT{r.left, r.bottom - 1},
                          POINT{r.right - 1, r.bottom - 1}, POINT{r.left, c.y}, POINT{r.right - 1, c.y},
                          POINT{c.x, r.top}, POINT{c.x, r.bottom - 1}}) {
      EXPECT_EQ(HitTest(window_, p.x, p.y), code) << name << " at " << p.x << "," << p.y;
    }
    for (const POINT p : {POINT{r.left - 1, c.y}, POINT{r.right, c.y}, POINT{c.x, r.top - 1},
                          POINT{c.x, r.bottom}}) {
      EXPECT_NE(HitTest(window_, p.x, p.y), code) << name << " at " << p.x << "," << p.y;
    }
  }
  TWinSysButton* close = ButtonNamed(*frame, "BUTTON.CLOSE");
  const RECT r = close->Bounds;
  ASSERT_EQ(HitTest(window_, r.left, r.top), HTCLOSE);  // else the system would track the press
  SendMessageW(window_, WM_NCLBUTTONDOWN, HTCLOSE, ScreenAt({r.left, r.top}));
  EXPECT_EQ(frame->PressedButton(), close);
  SendMessageW(window_, WM_LBUTTONUP, 0, ClientAt(*frame, {r.right - 1, r.bottom - 1}));
  ASSERT_TRUE(PumpUntil([&] { return closes_ > 0; }));
  EXPECT_EQ(closes_, 1);
}

TEST_P(CaptionButtonSkinTest, AWindowWithAllBoxesShowsMaximizeAndRestoreByItsState) {
  TWinSkinForm* frame = ShowIconsForm(kAllIcons, ui::bsSizeable);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(EnabledNames(*frame), (std::set<std::string>{"BUTTON.CLOSE", "BUTTON.MAXIMIZE",
                                                         "BUTTON.MINIMIZE", "BUTTON.ICON"}));
  TWinSysButton* maximize = ButtonNamed(*frame, "BUTTON.MAXIMIZE");
  EXPECT_EQ(HitTest(window_, Centre(maximize->Bounds).x, Centre(maximize->Bounds).y), HTMAXBUTTON);
  Press(*maximize, HTMAXBUTTON);
  SendMessageW(window_, WM_LBUTTONUP, 0, ClientAt(*frame, Centre(maximize->Bounds)));
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window_) != FALSE; }));
  PumpFor(50);
  EXPECT_EQ(EnabledNames(*frame), (std::set<std::string>{"BUTTON.CLOSE", "BUTTON.RESTORE",
                                                         "BUTTON.MINIMIZE", "BUTTON.ICON"}));
  // While maximized, a press on the title is no handle to drag the window by: the system
  // gets it as a press on the menu row, so no move command follows.
  const POINT title{Width(WindowRect(window_)) / 2, frame->TitleHeight() / 2};
  ASSERT_EQ(HitTest(window_, title.x, title.y), HTCAPTION);
  std::vector<WPARAM> commands;
  ui::TWindowSubclass spy;
  ASSERT_TRUE(spy.Install(window_, [&](UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SYSCOMMAND) commands.push_back(wParam & 0xFFF0);
    return spy.CallPrevious(msg, wParam, lParam);
  }));
  SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, ScreenAt(title));
  spy.Restore();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), static_cast<WPARAM>(SC_MOVE)), 0);
  EXPECT_EQ(std::count(commands.begin(), commands.end(), static_cast<WPARAM>(SC_MOUSEMENU)), 1);
  EXPECT_TRUE(IsZoomed(window_));
  TWinSysButton* restore = ButtonNamed(*frame, "BUTTON.RESTORE");
  Press(*restore, HTMAXBUTTON);
  SendMessageW(window_, WM_LBUTTONUP, 0, ClientAt(*frame, Centre(restore->Bounds)));
  ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(window_); }));
  EXPECT_EQ(Width(ClientRect(window_)), 300);
  EXPECT_EQ(Height(ClientRect(window_)), 200);
  EXPECT_EQ(closes_, 0);
}

TEST_P(CaptionButtonSkinTest, EachButtonIsPaintedInTheSkinsFrameOfItsState) {
  TWinSkinForm* frame = ShowIconsForm(kSysMenuAndMinimize);
  ASSERT_NE(frame, nullptr);
  TWinSysButton* close = ButtonNamed(*frame, "BUTTON.CLOSE");
  TWinSysButton* minimize = ButtonNamed(*frame, MinimizeName());
  ASSERT_TRUE(close && minimize);
  // The test means something only when the skin's frames differ.
  ASSERT_TRUE(FramesDiffer(close->Definition(), 1, 2));
  ASSERT_TRUE(FramesDiffer(close->Definition(), 1, 3));
  ASSERT_TRUE(FramesDiffer(close->Definition(), 2, 3));

  auto painted = PaintedFrame();
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *close, 1), 200);
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *minimize, 1), 200);

  // Hot: the mouse over the close button.
  MoveOver(*close, HTCLOSE);
  EXPECT_EQ(close->State, ncsHot);
  EXPECT_EQ(frame->HotObject(), close);
  painted = PaintedFrame();
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *close, 3), 200);
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *minimize, 1), 200);

  // Moving on to the minimize button: it is hot, the close button normal again.
  MoveOver(*minimize, HTMINBUTTON);
  EXPECT_EQ(close->State, ncsNormal);
  EXPECT_EQ(minimize->State, ncsHot);
  painted = PaintedFrame();
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *close, 1), 200);
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *minimize, 3), 200);

  // Pressed.
  Press(*close, HTCLOSE);
  EXPECT_EQ(close->State, ncsPressed);
  EXPECT_EQ(minimize->State, ncsNormal);
  painted = PaintedFrame();
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *close, 2), 200);
  // Dragged off the button it shows normal, back on it pressed again.
  SendMessageW(window_, WM_MOUSEMOVE, 0, ClientAt(*frame, {close->Bounds.left - 60, 10}));
  EXPECT_EQ(close->State, ncsNormal);
  SendMessageW(window_, WM_MOUSEMOVE, 0, ClientAt(*frame, Centre(close->Bounds)));
  EXPECT_EQ(close->State, ncsPressed);
  // Released outside: nothing happens and it is normal.
  SendMessageW(window_, WM_LBUTTONUP, 0, ClientAt(*frame, {40, 100}));
  EXPECT_EQ(close->State, ncsNormal);
  painted = PaintedFrame();
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *close, 1), 200);

  // An inactive window shows the inactive frame, or the normal one when the picture has
  // only three frames.
  SendMessageW(window_, WM_NCACTIVATE, FALSE, 0);
  painted = PaintedFrame();
  EXPECT_GT(CompareButton(painted->Canvas()->Handle(), *close, close->Definition().Frame >= 4 ? 4 : 1), 200);
  SendMessageW(window_, WM_NCACTIVATE, TRUE, 0);
  PumpFor(50);
  EXPECT_EQ(closes_, 0);
}

TEST_P(CaptionButtonSkinTest, APressReleasedOverTheSameButtonClosesOnceAndNowhereElse) {
  TWinSkinForm* frame = ShowIconsForm(kSysMenuAndMinimize);
  ASSERT_NE(frame, nullptr);
  TWinSysButton* close = ButtonNamed(*frame, "BUTTON.CLOSE");
  TWinSysButton* minimize = ButtonNamed(*frame, MinimizeName());

  // Down inside, up outside: nothing; no capture, no pressed or hot button left.
  Press(*close, HTCLOSE);
  EXPECT_EQ(GetCapture(), window_);
  EXPECT_EQ(frame->PressedButton(), close);
  SendMessageW(window_, WM_LBUTTONUP, 0, ClientAt(*frame, {-300, -200}));
  PumpFor(100);
  EXPECT_EQ(closes_, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(frame->PressedButton(), nullptr);
  EXPECT_EQ(frame->HotObject(), nullptr);
  EXPECT_EQ(close->State, ncsNormal);
  EXPECT_TRUE(IsWindowVisible(window_));

  // Down on one button, up on another: nothing either.
  Press(*close, HTCLOSE);
  SendMessageW(window_, WM_LBUTTONUP, 0, ClientAt(*frame, Centre(minimize->Bounds)));
  PumpFor(100);
  EXPECT_EQ(closes_, 0);
  EXPECT_FALSE(IsIconic(window_));

  // Hot without a press, then a release over it (the press began elsewhere): nothing.
  MoveOver(*close, HTCLOSE);
  SendMessageW(window_, WM_NCLBUTTONUP, HTCLOSE, ScreenAt(Centre(close->Bounds)));
  PumpFor(100);
  EXPECT_EQ(closes_, 0);

  // The capture taken away while pressed ends the press without an action.
  Press(*close, HTCLOSE);
  ReleaseCapture();
  EXPECT_EQ(frame->PressedButton(), nullptr);
  EXPECT_EQ(close->State, ncsNormal);
  SendMessageW(window_, WM_LBUTTONUP, 0, ClientAt(*frame, Centre(close->Bounds)));
  PumpFor(100);
  EXPECT_EQ(closes_, 0);

  // Down and up inside: the window gets the system's close, once.
  Press(*close, HTCLOSE);
  SendMessageW(window_, WM_LBUTTONUP, 0, ClientAt(*frame, Centre(close->Bounds)));
  EXPECT_EQ(close->State, ncsHot);
  ASSERT_TRUE(PumpUntil([&] { return closes_ > 0; }));
  PumpFor(100);
  EXPECT_EQ(closes_, 1);
  EXPECT_FALSE(IsWindowVisible(window_));
}

TEST_P(CaptionButtonSkinTest, TheMinimizeButtonMinimizesAndTheWindowComesBackWithItsFrame) {
  TWinSkinForm* frame = ShowIconsForm(kSysMenuAndMinimize);
  ASSERT_NE(frame, nullptr);
  TWinSysButton* minimize = ButtonNamed(*frame, MinimizeName());
  Press(*minimize, HTMINBUTTON);
  SendMessageW(window_, WM_NCLBUTTONUP, HTMINBUTTON, ScreenAt(Centre(minimize->Bounds)));
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(window_) != FALSE; }));
  EXPECT_EQ(frame->WindowState(), wsMinimized);
  ShowWindow(window_, SW_RESTORE);
  ASSERT_TRUE(PumpUntil([&] { return !IsIconic(window_); }));
  EXPECT_EQ(frame->WindowState(), wsNormal);
  EXPECT_EQ(Width(ClientRect(window_)), 300);
  EXPECT_EQ(Height(ClientRect(window_)), 200);
  EXPECT_EQ(Width(WindowRect(window_)), FramedWidth(300));
  EXPECT_EQ(EnabledNames(*frame).count(MinimizeName()), 1u);
  EXPECT_EQ(closes_, 0);
}

TEST_P(CaptionButtonSkinTest, ADoubleClickOnTheIconClosesTheWindow) {
  TWinSkinForm* frame = ShowIconsForm(kSysMenuAndMinimize);
  ASSERT_NE(frame, nullptr);
  const RECT icon = ButtonNamed(*frame, "BUTTON.ICON")->Bounds;
  SendMessageW(window_, WM_NCLBUTTONDBLCLK, HTSYSMENU, ScreenAt(Centre(icon)));
  ASSERT_TRUE(PumpUntil([&] { return closes_ > 0; }));
  EXPECT_EQ(closes_, 1);
}

TEST_P(CaptionButtonSkinTest, TheHoverTimerEndsAHotLookTheCursorLeft) {
  TWinSkinForm* frame = ShowIconsForm(kSysMenuAndMinimize);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->HoverTimerEnabled());
  // Above every other window (test programs may run side by side on one desktop), so that
  // the cursor over the button is over this window.
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  TWinSysButton* close = ButtonNamed(*frame, "BUTTON.CLOSE");
  const RECT r = WindowRect(window_);
  SetCursorPos(r.left + Centre(close->Bounds).x, r.top + Centre(close->Bounds).y);
  MoveOver(*close, HTCLOSE);
  PumpFor(600);  // the cursor stays over it: still hot
  EXPECT_EQ(close->State, ncsHot);
  SetCursorPos(r.left + 150, r.top + 120);
  ASSERT_TRUE(PumpUntil([&] { return frame->HotObject() == nullptr; }));
  EXPECT_EQ(close->State, ncsNormal);
  // An inactive window stops the timer and ignores the mouse over its buttons.
  SendMessageW(window_, WM_NCACTIVATE, FALSE, 0);
  EXPECT_FALSE(frame->HoverTimerEnabled());
  MoveOver(*close, HTCLOSE);
  EXPECT_EQ(frame->HotObject(), nullptr);
  SendMessageW(window_, WM_NCACTIVATE, TRUE, 0);
  EXPECT_TRUE(frame->HoverTimerEnabled());
}

}  // namespace

namespace {

// A crafted skin of opaque borders with a button of a custom action (40) and one whose
// visibility the window is asked for (code 1200).
const char* const kCustomButtonSkin =
    "[Personality]\nLeft=l.bmp\nLeftFrame=2\nRight=r.bmp\nRightFrame=2\nTop=t.bmp\nTopFrame=2\n"
    "Bottom=b.bmp\nBottomFrame=2\n"
    "[Button.Custom]\nAction=40\nAlign=1\nXcoord=30\nYcoord=2\nVisibility=0\nVisibility1=0\n"
    "frame=3\nButtonImage=c.bmp\n"
    "[Button.Asked]\nAction=41\nAlign=0\nXcoord=30\nYcoord=2\nVisibility=1200\nVisibility1=0\n"
    "frame=3\nButtonImage=c.bmp\n";

TEST_F(CaptionButtonTest, ACustomActionReachesTheWindowAsCaptionAction) {
  holder_.reset();
  skin::DestroySkinManager();
  holder_ = std::make_unique<ui::TForm>(nullptr);
  data_ = LoadSkinData(holder_.get(), skintest::TCraftedSkin(kCustomButtonSkin)
                                          .Bitmap("l.bmp", 8, 40)
                                          .Bitmap("r.bmp", 8, 40)
                                          .Bitmap("t.bmp", 40, 44)
                                          .Bitmap("b.bmp", 40, 8)
                                          .Bitmap("c.bmp", 60, 16)
                                          .Package());
  ASSERT_TRUE(data_->SkinLoaded());
  TWinSkinForm* frame = ShowIconsForm(kSysMenuAndMinimize);
  ASSERT_NE(frame, nullptr);
  // The form does not answer SKM_CAPTIONVISIBLE: the asked button stays hidden. The skin has
  // no close, minimize or icon button: the window keeps them in the system's look.
  EXPECT_EQ(EnabledNames(*frame), (std::set<std::string>{"BUTTON.CUSTOM", "SYSTEM.CLOSE",
                                                         "SYSTEM.MINIMIZE", "SYSTEM.ICON"}));
  TWinSysButton* custom = ButtonNamed(*frame, "BUTTON.CUSTOM");
  const int w = Width(WindowRect(window_));
  EXPECT_TRUE(SameRect(custom->Bounds, RECT{w - 30, 2, w - 10, 18}));
  EXPECT_EQ(HitTest(window_, Centre(custom->Bounds).x, Centre(custom->Bounds).y), HTCAPTION);

  testsupport::MessageRecorder recorder;
  recorder.Watch(window_);
  Press(*custom, HTCAPTION);
  SendMessageW(window_, WM_LBUTTONUP, 0, ClientAt(*frame, Centre(custom->Bounds)));
  ASSERT_TRUE(PumpUntil([&] { return recorder.Count(SKM_CAPTIONACTION, testsupport::msgPosted) > 0; }));
  PumpFor(50);
  EXPECT_EQ(recorder.Count(SKM_CAPTIONACTION, testsupport::msgPosted), 1);
  for (const auto& m : recorder.Messages()) {
    if (m.message == SKM_CAPTIONACTION) {
      EXPECT_EQ(m.wParam, 40u);
      EXPECT_EQ(m.lParam, 0);
    }
  }
  EXPECT_EQ(closes_, 0);
}

// Ends the open menu once its window has been seen.
bool g_menuSeen = false;
void CALLBACK EndMenuTick(HWND, UINT, UINT_PTR id, DWORD) {
  if (FindWindowW(L"#32768", nullptr)) {
    g_menuSeen = true;
    EndMenu();
    KillTimer(nullptr, id);
  }
}

TEST_P(CaptionButtonSkinTest, ARightClickOnTheTitleOpensTheSystemMenu) {
  TWinSkinForm* frame = ShowIconsForm(kSysMenuAndMinimize);
  ASSERT_NE(frame, nullptr);
  g_menuSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, EndMenuTick);
  const int w = Width(WindowRect(window_));
  SendMessageW(window_, WM_NCRBUTTONDOWN, HTCAPTION, ScreenAt({w / 2, 12}));
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_menuSeen);
  EXPECT_TRUE(IsWindowVisible(window_));
  EXPECT_EQ(closes_, 0);
}

}  // namespace

namespace {

TEST_P(CaptionButtonSkinTest, TheIconButtonOpensTheSystemMenuAndASecondQuickOpeningCloses) {
  TWinSkinForm* frame = ShowIconsForm(kSysMenuAndMinimize);
  ASSERT_NE(frame, nullptr);
  TWinSysButton* icon = ButtonNamed(*frame, "BUTTON.ICON");
  g_menuSeen = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, EndMenuTick);
  Press(*icon, HTSYSMENU);
  SendMessageW(window_, WM_LBUTTONUP, 0, ClientAt(*frame, Centre(icon->Bounds)));
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_menuSeen);
  EXPECT_EQ(frame->HotObject(), icon);
  PumpFor(20);
  EXPECT_EQ(closes_, 0);
  // Opened again within the double-click time while the icon is hot: the window closes.
  Press(*icon, HTSYSMENU);
  SendMessageW(window_, WM_LBUTTONUP, 0, ClientAt(*frame, Centre(icon->Bounds)));
  ASSERT_TRUE(PumpUntil([&] { return closes_ > 0; }));
  EXPECT_EQ(closes_, 1);
}

TEST_P(CaptionButtonSkinTest, AltSpaceOpensTheSystemMenu) {
  ASSERT_NE(ShowIconsForm(kSysMenuAndMinimize), nullptr);
  g_menuSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, EndMenuTick);
  SendMessageW(window_, WM_SYSCOMMAND, SC_KEYMENU, ' ');
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_menuSeen);
  EXPECT_EQ(closes_, 0);
}

}  // namespace

namespace {

// A component that reads another skin without telling the manager frees the definitions the
// frame's buttons were made from: the frame makes its buttons anew before it uses them.
TEST_P(CaptionButtonSkinTest, ButtonsFollowASkinReadAnewWithoutNotice) {
  TWinSkinForm* frame = ShowIconsForm(kSysMenuAndMinimize);
  ASSERT_NE(frame, nullptr);
  const RECT close = ButtonNamed(*frame, "BUTTON.CLOSE")->Bounds;
  MoveOver(*ButtonNamed(*frame, "BUTTON.CLOSE"), HTCLOSE);
  ASSERT_NE(frame->HotObject(), nullptr);
  ui::TMemoryStream stream(SkinStreamOf(skintest::TCraftedSkin(kCustomButtonSkin)
                                            .Bitmap("l.bmp", 8, 40)
                                            .Bitmap("r.bmp", 8, 40)
                                            .Bitmap("t.bmp", 40, 44)
                                            .Bitmap("b.bmp", 40, 8)
                                            .Bitmap("c.bmp", 60, 16)
                                            .Package()));
  data_->ReadSkinStream(stream);
  ASSERT_TRUE(data_->SkinLoaded());
  // Hit-testing, mouse messages and painting all work on the new skin's buttons: the old close
  // button's place is the custom button's (or, on the left, the icon's in the system's look).
  const LRESULT oldClose = HitTest(window_, Centre(close).x, Centre(close).y);
  EXPECT_TRUE(oldClose == HTCAPTION || oldClose == HTSYSMENU) << oldClose;
  EXPECT_EQ(EnabledNames(*frame), (std::set<std::string>{"BUTTON.CUSTOM", "SYSTEM.CLOSE",
                                                         "SYSTEM.MINIMIZE", "SYSTEM.ICON"}));
  EXPECT_EQ(frame->HotObject(), nullptr);
  SendMessageW(window_, WM_NCMOUSEMOVE, HTCAPTION, ScreenAt(Centre(close)));
  auto painted = PaintedFrame();
  TWinSysButton* custom = ButtonNamed(*frame, "BUTTON.CUSTOM");
  ASSERT_NE(custom, nullptr);
  EXPECT_EQ(&custom->Definition(), data_->CaptionButtons().front().get());
}

}  // namespace

namespace {

// A skin without any of its maximize and restore buttons, switched to live: the window keeps a
// maximize button in the system's look, at the place the skin's had, pixel for pixel as the
// system draws it; a click maximizes the window, and the same button, now drawn as the
// restore button, restores it.
TEST_P(CaptionButtonSkinTest, WithoutTheMaximizeSectionsTheSystemsButtonMaximizesAndRestores) {
  std::string package = testsupport::OwnSkinPackage(GetParam());
  for (const std::string& section : partialskin::SectionsOf(partialskin::DescriptionOf(package))) {
    if (!section.starts_with("Button.Maximize") && !section.starts_with("Button.Restore")) continue;
    const skintest::Bytes without = partialskin::PackageWithout(package, section);
    package.assign(without.begin(), without.end());
  }
  TWinSkinForm* frame = ShowIconsForm(kAllIcons, ui::bsSizeable);
  ASSERT_NE(frame, nullptr);
  const captionfallback::TPlaces whole = captionfallback::PlacesOf(window_);
  ASSERT_TRUE(whole.contains(HTMAXBUTTON));
  ASSERT_TRUE(data_->ApplySkinPackage(package));
  ASSERT_TRUE(PumpUntil([&] { return ButtonNamed(*frame, "BUTTON.MAXIMIZE") == nullptr; }));
  PumpFor(50);
  const auto systemLook = [&] {
    for (const auto& b : frame->Buttons()) {
      if (b->Enabled && b->Native) return b.get();
    }
    return static_cast<TWinSysButton*>(nullptr);
  };
  ASSERT_EQ(captionfallback::ExpectSystemLookButtons(window_, whole), 1);
  EXPECT_EQ(systemLook()->NativeLook, static_cast<UINT>(DFCS_CAPTIONMAX));
  captionfallback::ExpectCommandsAnswered(window_, whole);
  captionfallback::Click(window_, HTMAXBUTTON, whole.at(HTMAXBUTTON));
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window_) != FALSE; }));
  PumpFor(50);
  ASSERT_EQ(captionfallback::ExpectSystemLookButtons(window_, {}), 1);
  EXPECT_EQ(systemLook()->NativeLook, static_cast<UINT>(DFCS_CAPTIONRESTORE));
  captionfallback::Click(window_, HTMAXBUTTON, systemLook()->Bounds);
  ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(window_); }));
  EXPECT_EQ(Width(ClientRect(window_)), 300);
  EXPECT_EQ(closes_, 0);
}

}  // namespace
