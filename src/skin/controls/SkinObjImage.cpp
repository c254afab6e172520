#include "skin/controls/SkinObjImage.h"

#include <string>

#include "skin/data/GdiPicture.h"
#include "skin/data/ImgUtil.h"
#include "skin/model/SkinObjects.h"
#include "ui/TypInfo.h"

namespace skin {

TObjImageGlyphs ObjImageGlyphs(int variant, int frames) {
  switch (variant) {
    case kObjImageCheckBox: {
      TObjImageGlyphs g{9, {{1, 1}, {4, 1}, {2, 2}, {5, 2}, {7, 3}, {8, 4}}};
      if (frames == 5) g.Sources.insert(g.Sources.end(), {{3, 5}, {6, 5}, {9, 5}});
      return g;
    }
    case kObjImageRadio:
      return {6, {{1, 1}, {3, 1}, {2, 2}, {4, 2}, {5, 3}, {6, 4}}};
    case kObjImageProperties: {
      TObjImageGlyphs g{6, {{1, 1}, {4, 1}, {2, 2}, {5, 2}}};
      if (frames == 5) g.Sources.insert(g.Sources.end(), {{3, 5}, {6, 5}});
      return g;
    }
    default:
      return {};
  }
}

void TSkinObjImage::AttachSkin(TSkinnerHost* form, TSkinData* skinData, ui::TCanvas* canvas,
                           bool changeColor) {
  if (status_ == kSkinnerAttached) return;
  auto* control = dynamic_cast<ui::TControl*>(Owner());
  if (!control) return;
  skinData_ = skinData;
  form_ = form;
  canvas_ = canvas;
  control_ = control;
  changeColor_ = changeColor;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control)) handle_ = windowed->HandleIfAllocated();
  Register(form);
  TakeFaceColour();
  BuildGlyphs();
  status_ = kSkinnerAttached;
}

bool TSkinObjImage::HasSkinParts(const TResolvedSkin& skin) const {
  const TDataSkinButton* buttons = skin.Button;
  if (!buttons) return false;
  const bool radio = variant_ == kObjImageRadio;
  const TSkinBitmap* strip = radio ? buttons->RadioBitmap.get() : buttons->CheckBitmap.get();
  const int frames = radio ? buttons->RadioButtonFrame : buttons->CheckButtonFrame;
  return strip && frames > 0 && strip->Width() >= frames && strip->Height() > 0;
}

void TSkinObjImage::BuildGlyphs() {
  const TDataSkinButton* buttons = skinData_ ? skinData_->Resolved().Button : nullptr;
  if (!buttons || !control_) return;
  const bool radio = variant_ == kObjImageRadio;
  const TSkinBitmap* strip = radio ? buttons->RadioBitmap.get() : buttons->CheckBitmap.get();
  const int frames = radio ? buttons->RadioButtonFrame : buttons->CheckButtonFrame;
  const TObjImageGlyphs layout = ObjImageGlyphs(variant_, frames);
  if (!strip || strip->Empty() || frames <= 0 || layout.Count == 0) return;
  const int w = strip->Width() / frames, h = strip->Height();
  // Glyphs that no frame fills show the key colour: nothing.
  ui::TBitmap glyphs(layout.Count * w, h);
  HDC dc = glyphs.Canvas()->Handle();
  FillColour(dc, {0, 0, glyphs.Width(), h}, kKeyColour);
  for (const TGlyphSource& s : layout.Sources) {
    BitBlt(dc, (s.Glyph - 1) * w, 0, w, h, GdiPicture(*strip).Source(), (s.Frame - 1) * w, 0, SRCCOPY);
  }
  if (variant_ == kObjImageProperties) {
    ui::TObject* properties = ui::GetObjectPropByName(control_, L"Properties", ui::TObject::StaticClass());
    if (auto* glyph = ui::GetObjectProp<ui::TBitmap>(properties, L"Glyph")) {
      glyph->Assign(glyphs);
      glyph->SetTransparentColor(kKeyColour);
      glyph->SetTransparent(false);
    }
    return;
  }
  if (auto* custom = ui::GetObjectProp<ui::TBitmap>(control_, L"CustomGlyphs")) custom->Assign(glyphs);
  ui::SetPropText(control_, L"TransparentColor", std::to_wstring(kKeyColour));
  // Off and on again: the control loads the glyphs anew.
  ui::SetPropText(control_, L"UseCustomGlyphs", L"False");
  ui::SetPropText(control_, L"UseCustomGlyphs", L"True");
}

void TSkinObjImage::Detach() {
  if (!control_) return;
  TSkinControl::Detach();
  if (variant_ == kObjImageProperties) {
    ui::TObject* properties = ui::GetObjectPropByName(control_, L"Properties", ui::TObject::StaticClass());
    if (auto* glyph = ui::GetObjectProp<ui::TBitmap>(properties, L"Glyph")) glyph->SetSize(0, 0);
  } else {
    ui::SetPropText(control_, L"UseCustomGlyphs", L"False");
  }
}

void TSkinObjImage::SkinChanged() {
  if (changeColor_ && control_) control_->SetColor(FaceColour());
  BuildGlyphs();
}

}  // namespace skin
