#include "ui/MPlayer.h"

#include <windows.h>

#include <mmsystem.h>

#include "ui/DrawingScopes.h"

namespace ui {

namespace {

const wchar_t* const kLookPrefixes[] = {L"EN_", L"DI_", L"CL_"};

// A bitmap resource of the program as a bitmap of our own; none when there is none.
std::unique_ptr<TBitmap> LoadGlyph(const std::wstring& name) {
  const HINSTANCE module = GetModuleHandleW(nullptr);
  TBitmapHandle loaded(static_cast<HBITMAP>(
      LoadImageW(module, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!loaded.Get()) return nullptr;
  BITMAP info{};
  GetObjectW(loaded.Get(), sizeof info, &info);
  auto glyph = std::make_unique<TBitmap>(info.bmWidth, info.bmHeight);
  TMemoryDC source(loaded.Get());
  BitBlt(glyph->Canvas()->Handle(), 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
  return glyph;
}

}  // namespace

const TEnumInfo& MPBtnTypeInfo() {
  static const TEnumInfo info(L"TMPBtnType", {L"btPlay", L"btPause", L"btStop", L"btNext", L"btPrev",
                                              L"btStep", L"btBack", L"btRecord", L"btEject"});
  return info;
}

const TEnumInfo& MPModesInfo() {
  static const TEnumInfo info(L"TMPModes", {L"mpNotReady", L"mpStopped", L"mpPlaying", L"mpRecording",
                                            L"mpSeeking", L"mpPaused", L"mpOpen"});
  return info;
}

std::unique_ptr<TBitmap> LoadMPButtonGlyph(TMPBtnType button, int look) {
  if (button < btPlay || button > btEject || look < 0 || look > 2) return nullptr;
  return LoadGlyph(std::wstring(kLookPrefixes[look]) + MPButtonResourceName(button));
}

const wchar_t* MPButtonResourceName(TMPBtnType button) {
  static const wchar_t* const names[] = {L"MPPLAY", L"MPPAUSE", L"MPSTOP", L"MPNEXT", L"MPPREV",
                                         L"MPSTEP", L"MPBACK", L"MPRECORD", L"MPEJECT"};
  return names[button];
}

const TClassInfo& TMediaPlayer::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TMediaPlayer", &TCustomControl::StaticClass());
    c.Bool(L"AutoOpen", &TMediaPlayer::AutoOpen, &TMediaPlayer::SetAutoOpen);
    c.Set(L"ColoredButtons", MPBtnTypeInfo(), &TMediaPlayer::ColoredButtons, &TMediaPlayer::SetColoredButtons);
    c.Set(L"EnabledButtons", MPBtnTypeInfo(), &TMediaPlayer::EnabledButtons, &TMediaPlayer::SetEnabledButtons);
    c.Str(L"FileName", &TMediaPlayer::FileName, &TMediaPlayer::SetFileName);
    c.Set(L"VisibleButtons", MPBtnTypeInfo(), &TMediaPlayer::VisibleButtons, &TMediaPlayer::SetVisibleButtons);
    return c;
  }();
  return info;
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TCustomControl(owner) {
  clickEvents_ = false;  // a click belongs to a button, reported through OnClick below
  SetColor(clBtnFace);
  SetBounds(0, 0, 253, 30);
  for (int b = 0; b < kMPButtonCount; ++b) {
    for (int look = 0; look < 3; ++look) {
      glyphs_[b][look] = LoadMPButtonGlyph(static_cast<TMPBtnType>(b), look);
    }
  }
}

TMediaPlayer::~TMediaPlayer() { Close(); }

void TMediaPlayer::SetVisibleButtons(TButtonSet value) {
  visible_ = value & kAllMPButtons;
  Invalidate();
}
void TMediaPlayer::SetEnabledButtons(TButtonSet value) {
  enabled_ = value & kAllMPButtons;
  Invalidate();
}
void TMediaPlayer::SetColoredButtons(TButtonSet value) {
  colored_ = value & kAllMPButtons;
  Invalidate();
}

TBitmap* TMediaPlayer::Glyph(TMPBtnType button, int look) const {
  if (button < btPlay || button > btEject || look < 0 || look > 2) return nullptr;
  return glyphs_[button][look].get();
}

// ---------------------------------------------------------------------------------------------
// Layout, painting, mouse

RECT TMediaPlayer::ButtonRect(TMPBtnType button) const {
  int count = 0, index = -1;
  for (int b = 0; b < kMPButtonCount; ++b) {
    if (!(visible_ & (1 << b))) continue;
    if (b == button) index = count;
    ++count;
  }
  if (index < 0) return {0, 0, 0, 0};
  const int width = Width() / count;
  return {index * width, 0, (index + 1) * width, Height()};
}

int TMediaPlayer::ButtonAt(POINT p) const {
  for (int b = 0; b < kMPButtonCount; ++b) {
    const RECT r = ButtonRect(static_cast<TMPBtnType>(b));
    if (PtInRect(&r, p)) return b;
  }
  return -1;
}

void TMediaPlayer::Paint() {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  canvas->Brush()->SetColor(Color());
  canvas->FillRect({0, 0, Width(), Height()});
  for (int b = 0; b < kMPButtonCount; ++b) {
    RECT r = ButtonRect(static_cast<TMPBtnType>(b));
    if (IsRectEmpty(&r)) continue;
    const bool down = b == pressed_;
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    const bool enabled = Enabled() && (enabled_ & (1 << b));
    const int look = !enabled ? 1 : (colored_ & (1 << b)) ? 2 : 0;
    TBitmap* glyph = glyphs_[b][look].get();
    if (!glyph) continue;
    const int x = (r.left + r.right - glyph->Width()) / 2 + (down ? 1 : 0);
    const int y = (r.top + r.bottom - glyph->Height()) / 2 + (down ? 1 : 0);
    TransparentBlt(dc, x, y, glyph->Width(), glyph->Height(), glyph->Canvas()->Handle(), 0, 0,
                   glyph->Width(), glyph->Height(), kMPGlyphKey);
  }
}

void TMediaPlayer::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    const int hit = ButtonAt({x, y});
    pressed_ = hit >= 0 && (enabled_ & (1 << hit)) ? hit : -1;
    Invalidate();
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

// Only a release over the button that was pressed runs it.
void TMediaPlayer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && pressed_ >= 0) {
    const int pressed = pressed_;
    pressed_ = -1;
    Invalidate();
    if (ButtonAt({x, y}) == pressed) RunButton(static_cast<TMPBtnType>(pressed));
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TMediaPlayer::RunButton(TMPBtnType button) {
  bool doDefault = true;
  if (OnClick) OnClick(this, button, doDefault);
  if (!doDefault) return;
  switch (button) {
    case btPlay: Play(); break;
    case btPause: Pause(); break;
    case btStop: Stop(); break;
    case btNext: Next(); break;
    case btPrev: Previous(); break;
    case btStep: Step(); break;
    case btBack: Back(); break;
    case btRecord: StartRecording(); break;
    case btEject: Eject(); break;
  }
}

void TMediaPlayer::CreateHandleDone() {
  if (autoOpen_ && !IsOpen()) Open();
}

// ---------------------------------------------------------------------------------------------
// The media control commands

bool TMediaPlayer::Command(UINT command, DWORD_PTR flags, void* params) {
  if (!device_ && command != MCI_OPEN) {
    error_ = MCIERR_INVALID_DEVICE_ID;
    return false;
  }
  error_ = static_cast<unsigned>(mciSendCommandW(device_, command, flags, reinterpret_cast<DWORD_PTR>(params)));
  return error_ == 0;
}

bool TMediaPlayer::Open() {
  Close();
  MCI_OPEN_PARMSW open{};
  open.lpstrElementName = fileName_.c_str();
  if (!Command(MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, &open)) return false;
  device_ = open.wDeviceID;
  return true;
}

void TMediaPlayer::Close() {
  if (!device_) return;
  MCI_GENERIC_PARMS close{};
  mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
  device_ = 0;
}

bool TMediaPlayer::Play() {
  MCI_PLAY_PARMS play{};
  return Command(MCI_PLAY, 0, &play);
}
bool TMediaPlayer::Pause() {
  MCI_GENERIC_PARMS pause{};
  return Command(MCI_PAUSE, MCI_WAIT, &pause);
}
bool TMediaPlayer::Stop() {
  MCI_GENERIC_PARMS stop{};
  return Command(MCI_STOP, MCI_WAIT, &stop);
}
bool TMediaPlayer::Next() {
  MCI_SEEK_PARMS seek{};
  return Command(MCI_SEEK, MCI_SEEK_TO_END | MCI_WAIT, &seek);
}
bool TMediaPlayer::Previous() {
  MCI_SEEK_PARMS seek{};
  return Command(MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &seek);
}
bool TMediaPlayer::Step() {
  MCI_GENERIC_PARMS step{};
  return Command(MCI_STEP, MCI_WAIT, &step);
}
bool TMediaPlayer::Back() {
  MCI_GENERIC_PARMS step{};
  constexpr DWORD kStepReverse = 0x00010000L;  // the digital-video step flag, backwards
  return Command(MCI_STEP, MCI_WAIT | kStepReverse, &step);
}
bool TMediaPlayer::StartRecording() {
  MCI_RECORD_PARMS record{};
  return Command(MCI_RECORD, 0, &record);
}
bool TMediaPlayer::Eject() {
  MCI_SET_PARMS set{};
  return Command(MCI_SET, MCI_SET_DOOR_OPEN | MCI_WAIT, &set);
}

TMPModes TMediaPlayer::Mode() const {
  if (!device_) return mpNotReady;
  MCI_STATUS_PARMS status{};
  status.dwItem = MCI_STATUS_MODE;
  if (mciSendCommandW(device_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                      reinterpret_cast<DWORD_PTR>(&status)) != 0) {
    return mpNotReady;
  }
  switch (status.dwReturn) {
    case MCI_MODE_STOP: return mpStopped;
    case MCI_MODE_PLAY: return mpPlaying;
    case MCI_MODE_RECORD: return mpRecording;
    case MCI_MODE_SEEK: return mpSeeking;
    case MCI_MODE_PAUSE: return mpPaused;
    case MCI_MODE_OPEN: return mpOpen;
    default: return mpNotReady;
  }
}

std::wstring TMediaPlayer::ErrorMessage() const {
  if (error_ == 0) return {};
  wchar_t text[256] = {};
  if (!mciGetErrorStringW(error_, text, 256)) return L"MCI error " + std::to_wstring(error_);
  return text;
}

}  // namespace ui
