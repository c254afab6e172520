// Progress bars (one of them moving), track bars in both orientations, and the form's status
// bar with panels and a size grip.
#include "Gallery.h"
#include "GalleryEvents.h"
#include "ui/RangeControls.h"
#include "ui/StatusBar.h"
#include "ui/Timer.h"

namespace skinview {

namespace {

void AddProgressBars(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"进度条 Progress bars", 1, 110);
  const int width = group.BodyWidth() - 30;
  const int positions[] = {0, 60, 100};
  for (int i = 0; i < 3; ++i) {
    auto* bar = group.Add<ui::TProgressBar>(0, i * 24, width, 16);
    bar->SetSmooth(i == 2);
    bar->SetPosition(positions[i]);
  }
  // One that moves, so that a skin's fill can be watched.
  auto* moving = group.Add<ui::TProgressBar>(0, 72, width, 16);
  moving->SetStep(5);
  auto* timer = new ui::TTimer(&group.Form());
  timer->SetInterval(200);
  timer->OnTimer = [moving](ui::TObject*) { moving->StepIt(); };
  timer->SetEnabled(true);
  auto* vertical = group.Add<ui::TProgressBar>(width + 10, 0, 16, 110);
  vertical->SetOrientation(ui::pbVertical);
  vertical->SetPosition(40);
}

void AddTrackBars(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"滑块 Track bars", 1, 110);
  const int width = group.BodyWidth() - 50;
  auto* plain = group.Add<ui::TTrackBar>(0, 0, width, 36);
  plain->SetPosition(3);
  plain->OnChange = [plain](ui::TObject*) {
    RecordGalleryEvent(L"trackbar plain " + std::to_wstring(plain->Position()));
  };
  auto* both = group.Add<ui::TTrackBar>(0, 40, width, 45);
  both->SetTickMarks(ui::tmBoth);
  both->SetRange(0, 20);
  both->SetFrequency(2);
  both->SetPosition(12);
  auto* off = group.Add<ui::TTrackBar>(0, 88, width, 22);
  off->SetEnabled(false);
  auto* vertical = group.Add<ui::TTrackBar>(width + 6, 0, 40, 110);
  vertical->SetOrientation(ui::trVertical);
  vertical->SetBounds(vertical->Left(), vertical->Top(), 40, 110);
  vertical->SetPosition(7);
}

}  // namespace

void AddBarGroups(TGallery& gallery) {
  AddProgressBars(gallery);
  AddTrackBars(gallery);
}

void AddStatusBar(ui::TForm& form) {
  auto* bar = new ui::TStatusBar(&form);
  // Added after the form was scaled to the screen: its sizes are scaled here.
  bar->SetHeight(form.ScaleValue(bar->Height()));
  // The client area grows by the bar, which then lies below the groups.
  form.SetClientHeight(form.ClientHeight() + bar->Height());
  bar->SetParent(&form);
  const wchar_t* const texts[] = {L"状态栏 Status bar", L"", L"Panel three"};
  const int widths[] = {180, 90, 120};
  for (int i = 0; i < 3; ++i) {
    ui::TStatusPanel* panel = bar->Panels()->Add();
    panel->SetText(texts[i]);
    panel->SetWidth(form.ScaleValue(widths[i]));
  }
  // A panel the gallery draws itself: a level meter, three fifths full.
  bar->Panels()->Add()->SetStyle(ui::psOwnerDraw);
  bar->OnDrawPanel = [](ui::TStatusBar* sender, ui::TStatusPanel*, const RECT& r) {
    ui::TCanvas* c = sender->Canvas();
    const int full = r.left + (r.right - r.left) * 3 / 5;
    c->Brush()->SetColor(ui::TColor(0x30A030));
    c->FillRect({r.left, r.top, full, r.bottom});
    c->Brush()->SetColor(ui::clWindow);
    c->FillRect({full, r.top, r.right, r.bottom});
  };
}

}  // namespace skinview
