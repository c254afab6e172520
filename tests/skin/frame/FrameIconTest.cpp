// The icon in the skinned title bar, the system-menu style while the frame paints, and the
// painting-allowed switch of the skin data.
#include "FrameTestSupport.h"

#include <vector>

#include "MessageSequence.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"

using namespace skin;
using namespace frametest;
using testsupport::MessageRecorder;
using testsupport::msgHandler;
using testsupport::PumpFor;
using testsupport::PumpUntil;

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

SIZE SmallIcon() { return {GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)}; }

// An icon of one colour at the small size.
class SolidIcon {
 public:
  explicit SolidIcon(COLORREF colour) {
    const SIZE s = SmallIcon();
    const std::uint32_t bgra = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(s.cx * s.cy), bgra);
    const std::vector<std::uint8_t> opaque(static_cast<std::size_t>((s.cx + 15) / 16 * 2 * s.cy), 0);
    ui::TBitmapHandle face(CreateBitmap(s.cx, s.cy, 1, 32, pixels.data()));
    ui::TBitmapHandle mask(CreateBitmap(s.cx, s.cy, 1, 1, opaque.data()));
    ICONINFO info{TRUE, 0, 0, mask.Get(), face.Get()};
    icon_ = CreateIconIndirect(&info);
  }
  ~SolidIcon() { DestroyIcon(icon_); }
  SolidIcon(const SolidIcon&) = delete;
  SolidIcon& operator=(const SolidIcon&) = delete;
  HICON Get() const { return icon_; }

 private:
  HICON icon_ = nullptr;
};

// The program's icon drawn at the small size on magenta: the picture the title must show.
std::unique_ptr<ui::TBitmap> ProgramIconPicture() {
  const SIZE s = SmallIcon();
  auto picture = std::make_unique<ui::TBitmap>(s.cx, s.cy);
  picture->Canvas()->Brush()->SetColor(kKeyColour);
  picture->Canvas()->FillRect(RECT{0, 0, s.cx, s.cy});
  const auto icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, s.cx, s.cy, 0));
  EXPECT_NE(icon, nullptr) << "the program carries its icon";
  if (icon) {
    DrawIconEx(picture->Canvas()->Handle(), 0, 0, icon, s.cx, s.cy, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
  }
  return picture;
}

const TWinSysButton* IconButton(const TWinSkinForm& frame) {
  for (const auto& b : frame.Buttons()) {
    if (b->Enabled && IsIconAction(b->Action())) return b.get();
  }
  return nullptr;
}

// Pixels of `picture` that are not magenta compared with the painted frame at `at`; answers
// how many were compared (failures are reported).
int ComparePicture(HDC painted, POINT at, ui::TBitmap& picture) {
  int compared = 0, wrong = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const unsigned want = testsupport::PixelRGB(picture.Canvas()->Handle(), x, y);
      if (want == kMagenta) continue;
      ++compared;
      const unsigned got = testsupport::PixelRGB(painted, at.x + x, at.y + y);
      if (got != want && ++wrong <= 5) {
        ADD_FAILURE() << "icon pixel " << x << "," << y << ": painted " << std::hex << got
                      << ", wanted " << want;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  return compared;
}

// Whether every pixel of the rectangle has the colour.
bool AllPixels(HDC dc, const RECT& r, unsigned rgb) {
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      if (testsupport::PixelRGB(dc, x, y) != rgb) return false;
    }
  }
  return true;
}

class FrameIconTest : public FrameTest {
 protected:
  std::unique_ptr<ui::TBitmap> PaintedFrame(HWND h) const {
    const RECT r = WindowRect(h);
    auto target = std::make_unique<ui::TBitmap>(Width(r), Height(r));
    EXPECT_EQ(SendMessageW(h, SKM_PAINTFRAME, reinterpret_cast<WPARAM>(target->Canvas()->Handle()),
                           kSkinMagic),
              kSkinMagic);
    return target;
  }
};

TEST_F(FrameIconTest, AFormShowsTheProgramsIconAndAGivenIconFollowsEachChange) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  const TWinSysButton* button = IconButton(*frame);
  ASSERT_NE(button, nullptr);
  const POINT corner{button->Bounds.left, button->Bounds.top};

  auto program = ProgramIconPicture();
  auto painted = PaintedFrame(h);
  EXPECT_GT(ComparePicture(painted->Canvas()->Handle(), corner, *program), 100);

  const SIZE s = SmallIcon();
  const RECT iconRect{corner.x, corner.y, corner.x + s.cx, corner.y + s.cy};
  SolidIcon red(RGB(220, 20, 30)), green(RGB(10, 170, 40));
  SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(red.Get()));
  EXPECT_TRUE(AllPixels(PaintedFrame(h)->Canvas()->Handle(), iconRect, 0xDC141E));
  const int paints = frame->FramePaints();
  SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(green.Get()));
  EXPECT_GT(frame->FramePaints(), paints) << "a new icon repaints the title at once";
  EXPECT_TRUE(AllPixels(PaintedFrame(h)->Canvas()->Handle(), iconRect, 0x0AAA28));
  // The prepared icon follows too.
  EXPECT_TRUE(AllPixels(frame->IconBitmap()->Canvas()->Handle(), RECT{0, 0, s.cx, s.cy}, 0x0AAA28));

  SendMessageW(h, WM_SETICON, ICON_SMALL, 0);
  painted = PaintedFrame(h);
  EXPECT_GT(ComparePicture(painted->Canvas()->Handle(), corner, *program), 100);
}

TEST_F(FrameIconTest, AWindowWithoutAnyIconShowsTheProgramsIconFromTheSkinData) {
  const HWND h = BareWindow();
  ASSERT_NE(h, nullptr);
  ShowWindow(h, SW_SHOW);
  if (!M()->FindSkinForm(h)) M()->AttachWindow(h);
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(GetClassLongPtrW(h, GCLP_HICON), 0u);
  const TWinSysButton* button = IconButton(*frame);
  ASSERT_NE(button, nullptr);

  // The skin data holds the program's icon, and the frame prepared it for this window.
  auto program = ProgramIconPicture();
  EXPECT_GT(ComparePicture(data_->AppIconBitmap()->Canvas()->Handle(), {0, 0}, *program), 100);
  ASSERT_NE(frame->IconBitmap(), nullptr);
  EXPECT_GT(ComparePicture(frame->IconBitmap()->Canvas()->Handle(), {0, 0}, *program), 100);
  // A window without form object has no painting message: the frame paints it directly.
  const RECT r = WindowRect(h);
  auto painted = std::make_unique<ui::TBitmap>(Width(r), Height(r));
  frame->PaintFrame(painted->Canvas()->Handle());
  EXPECT_GT(ComparePicture(painted->Canvas()->Handle(), {button->Bounds.left, button->Bounds.top},
                           *program),
            100);
  DestroyWindow(h);
}

TEST_F(FrameIconTest, AnOwnedWindowLosesItsSystemMenuStyleWhilePaintedAndGetsItBack) {
  ui::TForm& owner = ShowForm();
  const HWND h = BareWindow(owner.Handle());
  ASSERT_NE(h, nullptr);
  ShowWindow(h, SW_SHOW);
  if (!M()->FindSkinForm(h)) M()->AttachWindow(h);
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->BorderIcons() & kBiCaptionToggled, 0) << "an owned window keeps its caption style";

  RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & WS_SYSMENU, 0);
  // The skin's buttons stay: they follow the window's styles as they were at the start.
  frame->LayoutCaptionButtons();
  int shown = 0;
  for (const auto& b : frame->Buttons()) shown += b->Enabled ? 1 : 0;
  EXPECT_GE(shown, 3);

  // Minimizing gives the style back to the system's minimized caption.
  SendMessageW(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_NE(GetWindowLongW(h, GWL_STYLE) & WS_SYSMENU, 0);
  SendMessageW(h, WM_SYSCOMMAND, SC_RESTORE, 0);
  RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(GetWindowLongW(h, GWL_STYLE) & WS_SYSMENU, 0);

  // Switching skinning off gives it back for good.
  M()->SetManagerState(kManagerRunning);
  data_->SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return M()->FindSkinForm(h) == nullptr; }));
  EXPECT_NE(GetWindowLongW(h, GWL_STYLE) & WS_SYSMENU, 0);
  DestroyWindow(h);
}

TEST_F(FrameIconTest, AWindowWithoutOwnerKeepsItsSystemMenuStyle) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame->BorderIcons() & kBiCaptionToggled, 0);
  RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_NE(GetWindowLongW(h, GWL_STYLE) & WS_SYSMENU, 0);
}

TEST_F(FrameIconTest, WhilePaintingIsNotAllowedTheFrameIsNotPaintedAndTheSystemNeither) {
  ui::TForm& form = ShowForm();
  const HWND h = form.Handle();
  TWinSkinForm* frame = RunningFrame(h);
  ASSERT_NE(frame, nullptr);
  MessageRecorder recorder;
  recorder.Watch(h);
  recorder.Filter([](UINT m) { return m == WM_NCPAINT; });
  const ui::TWndMethod own = form.WindowProc;
  form.WindowProc = [&recorder, h, own](ui::TMessage& m) {
    recorder.Add(h, m.Msg, m.WParam, m.LParam, msgHandler);
    own(m);
  };
  PumpFor(30);

  data_->SetPaintingAllowed(false);
  const int before = frame->FramePaints();
  RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(frame->FramePaints(), before);
  data_->SetPaintingAllowed(true);
  RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(frame->FramePaints(), before + 1);
  EXPECT_EQ(recorder.Count(WM_NCPAINT, msgHandler), 0) << "the form's own painting never runs";
  form.WindowProc = own;
}

}  // namespace
