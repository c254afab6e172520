// Push buttons, glyph and speed buttons, check boxes, radio buttons, group boxes, radio groups
// and the media player's button bar, in each of their states.
#include "Gallery.h"
#include "GalleryEvents.h"
#include "ui/Buttons.h"
#include "ui/ExtCtrls.h"
#include "ui/MPlayer.h"
#include "ui/Menus.h"

namespace skinview {

namespace {

// The Tag that makes the skinned buttons, check boxes and radio buttons show their parent's
// picture behind them.
constexpr int kParentPictureTag = 5555;
// The Tag of controls the skin leaves alone.
constexpr int kUnskinnedTag = 99;

void AddPushButtons(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"按钮 Buttons", 1, 91);
  const int width = (group.BodyWidth() - kGap) / 2;
  group.Add<ui::TButton>(0, 0, width, 25, L"Normal");
  group.Add<ui::TButton>(width + kGap, 0, width, 25, L"Default")->SetDefault(true);
  group.Add<ui::TButton>(0, 33, width, 25, L"Disabled")->SetEnabled(false);
  // The control that has the keyboard focus when the gallery opens.
  auto* focused = group.Add<ui::TButton>(width + kGap, 33, width, 25, L"Focused");
  group.Form().FocusControl(focused);
  // Drop-down buttons: a click opens the menu below the button.
  auto* menu = new ui::TPopupMenu(&group.Form());
  for (const wchar_t* caption : {L"First choice", L"Second choice"}) {
    auto* item = new ui::TMenuItem(menu);
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }
  auto* drop = group.Add<ui::TMenuButton>(0, 66, width, 25, L"Drop-down");
  drop->SetDropDownMenu(menu);
  group.Add<ui::TMenuButton>(width + kGap, 66, width, 25, L"Drop-down off")->SetEnabled(false);
}

void AddCheckBoxes(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"复选框 Check boxes", 1, 98);
  const int width = (group.BodyWidth() - kGap) / 2;
  const auto add = [&](int column, int row, const wchar_t* caption, ui::TCheckBoxState state,
                       bool enabled) {
    auto* box = group.Add<ui::TCheckBox>(column * (width + kGap), row * 22, width, 18, caption);
    box->SetAllowGrayed(state == ui::cbGrayed);
    box->SetState(state);
    box->SetEnabled(enabled);
  };
  add(0, 0, L"Checked", ui::cbChecked, true);
  add(0, 1, L"Unchecked", ui::cbUnchecked, true);
  add(0, 2, L"Grayed", ui::cbGrayed, true);
  add(1, 0, L"Disabled, checked", ui::cbChecked, false);
  add(1, 1, L"Disabled, unchecked", ui::cbUnchecked, false);
  // Tagged to show their parent's picture: a panel in a colour of its own (left unskinned)
  // shows through around their marks and captions.
  auto* picture = group.Add<ui::TPanel>(0, 68, group.BodyWidth(), 30);
  picture->SetBevelOuter(ui::bvNone);
  picture->SetColor(ui::TColor(RGB(255, 236, 139)));
  picture->SetTag(kUnskinnedTag);
  const auto onPicture = [&](ui::TButtonControl* control, int left) {
    control->SetParent(picture);
    control->SetBounds(left, 6, width - 16, 18);
    control->SetCaption(L"Picture");
    control->SetTag(kParentPictureTag);
  };
  auto* box = new ui::TCheckBox(&group.Form());
  onPicture(box, 8);
  box->SetChecked(true);
  auto* radio = new ui::TRadioButton(&group.Form());
  onPicture(radio, width + kGap);
  radio->SetChecked(true);
}

// A 16 x 16 glyph strip of two pictures (up, disabled): a green arrow pointing down onto a bar,
// on the key colour of the strip's bottom-left pixel.
void DrawGlyph(ui::TBitmap& strip) {
  strip.SetSize(32, 16);
  ui::TCanvas* c = strip.Canvas();
  c->Brush()->SetColor(ui::clFuchsia);
  c->FillRect({0, 0, 32, 16});
  for (int picture = 0; picture < 2; ++picture) {
    const int x = picture * 16;
    c->Brush()->SetColor(picture == 0 ? ui::TColor(0x30A030) : ui::clGray);
    c->FillRect({x + 6, 1, x + 10, 8});
    for (int row = 0; row < 5; ++row) c->FillRect({x + 2 + row, 8 + row, x + 14 - row, 9 + row});
    c->FillRect({x + 2, 14, x + 14, 15});
  }
}

// An image list of two 16 x 16 pictures (a blue disc, and the same disc in grey for the
// disabled state) on the key colour.
ui::TCustomImageList* MakeDiscList(ui::TForm& form) {
  auto* list = new ui::TCustomImageList(&form, 16, 16);
  ui::TBitmap pictures(32, 16);
  ui::TCanvas* c = pictures.Canvas();
  c->Brush()->SetColor(ui::clFuchsia);
  c->FillRect({0, 0, 32, 16});
  c->Pen()->SetColor(ui::clFuchsia);
  for (int picture = 0; picture < 2; ++picture) {
    c->Brush()->SetColor(picture == 0 ? ui::TColor(0xD07020) : ui::clGray);
    c->Ellipse(picture * 16 + 1, 1, picture * 16 + 15, 15);
  }
  list->AddMasked(pictures, ui::clFuchsia);
  return list;
}

void AddGlyphButtons(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"图形按钮 Glyph and speed buttons", 1, 130);
  const int width = (group.BodyWidth() - kGap) / 2;
  auto* left = group.Add<ui::TBitBtn>(0, 0, width, 28, L"Glyph left");
  DrawGlyph(*left->Glyph());
  left->SetNumGlyphs(2);
  auto* top = group.Add<ui::TBitBtn>(width + kGap, 0, width, 44, L"Glyph on top");
  DrawGlyph(*top->Glyph());
  top->SetNumGlyphs(2);
  top->SetLayout(ui::blGlyphTop);
  auto* disabled = group.Add<ui::TBitBtn>(0, 34, width, 28, L"Disabled");
  DrawGlyph(*disabled->Glyph());
  disabled->SetNumGlyphs(2);
  disabled->SetEnabled(false);
  // Speed buttons: a group of three with one down, and a flat one.
  const wchar_t* const names[] = {L"A", L"B", L"C"};
  for (int i = 0; i < 3; ++i) {
    auto* speed = group.Add<ui::TSpeedButton>(i * 30, 70, 28, 26, names[i]);
    speed->SetGroupIndex(1);
    speed->SetDown(i == 1);
  }
  auto* flat = group.Add<ui::TSpeedButton>(100, 70, 90, 26, L"Flat");
  flat->SetFlat(true);
  DrawGlyph(*flat->Glyph());
  flat->SetNumGlyphs(2);
  // Pictures from an image list, enabled and disabled.
  ui::TCustomImageList* discs = MakeDiscList(group.Form());
  for (int i = 0; i < 2; ++i) {
    auto* listed = group.Add<ui::TBitBtn>(i * (width + kGap), 102, width, 28,
                                          i == 0 ? L"Image list" : L"Image list, disabled");
    listed->SetImages(discs);
    listed->SetImageIndex(0);
    listed->SetDisabledIndex(1);
    listed->SetEnabled(i == 0);
  }
}

void AddRadioButtons(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"单选按钮 Radio buttons", 1, 62);
  const int width = (group.BodyWidth() - kGap) / 2;
  group.Add<ui::TRadioButton>(0, 0, width, 18, L"Checked")->SetChecked(true);
  group.Add<ui::TRadioButton>(0, 22, width, 18, L"Unchecked");
  group.Add<ui::TRadioButton>(0, 44, width, 18, L"Disabled")->SetEnabled(false);
  // Another parent, another set: a disabled checked one beside the others.
  auto* apart = group.Add<ui::TPanel>(width + kGap, 0, width, 40);
  apart->SetBevelOuter(ui::bvNone);
  auto* checked = new ui::TRadioButton(&group.Form());
  checked->SetParent(apart);
  checked->SetBounds(0, 0, width, 18);
  checked->SetCaption(L"Disabled, checked");
  checked->SetChecked(true);
  checked->SetEnabled(false);
}

void AddBoxes(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"分组框 Group boxes", 1, 170);
  auto* box = group.Add<ui::TGroupBox>(0, 0, group.BodyWidth(), 62, L"Group box");
  auto* inside = new ui::TCheckBox(&group.Form());
  inside->SetParent(box);
  inside->SetBounds(12, 28, 200, 18);
  inside->SetCaption(L"A check box in a group box");
  auto* radios = group.Add<ui::TRadioGroup>(0, 70, group.BodyWidth(), 100, L"Radio group");
  radios->SetColumns(2);
  for (const char* item : {"First", "Second", "Third", "Fourth"}) radios->Items()->Add(item);
  radios->SetItemIndex(2);
}

// All nine buttons, some coloured and one disabled; and a player with three buttons only.
void AddMediaPlayer(TGallery& gallery) {
  TGalleryGroup group = gallery.AddGroup(L"媒体播放器 Media player", 1, 66);
  auto* player = group.Add<ui::TMediaPlayer>(0, 0, group.BodyWidth(), 30);
  player->SetColoredButtons((1 << ui::btPlay) | (1 << ui::btStop) | (1 << ui::btRecord));
  player->SetEnabledButtons(ui::kAllMPButtons & ~(1 << ui::btEject));
  player->OnClick = [](ui::TObject*, ui::TMPBtnType button, bool&) {
    RecordGalleryEvent(L"mediaplayer " + ui::MPBtnTypeInfo().Identifier(button));
  };
  auto* few = group.Add<ui::TMediaPlayer>(0, 36, 120, 30);
  few->SetVisibleButtons((1 << ui::btPlay) | (1 << ui::btPause) | (1 << ui::btStop));
}

}  // namespace

void AddButtonGroups(TGallery& gallery) {
  AddPushButtons(gallery);
  AddGlyphButtons(gallery);
  AddCheckBoxes(gallery);
  AddRadioButtons(gallery);
  AddBoxes(gallery);
  AddMediaPlayer(gallery);
}

}  // namespace skinview
