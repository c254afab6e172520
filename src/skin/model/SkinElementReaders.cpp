#include "SkinElementReaders.h"

#include <memory>

#include "SkinContainer.h"

namespace skin {

namespace {
const char* const kBorderNames[] = {"Left", "Right", "Top", "Bottom"};

int AtMost(int value, int limit) { return value > limit ? limit : value; }

// A caption-button section: "BUTTON..." but none of the push-button, radio and check box
// sections.
bool IsCaptionButtonSection(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper.starts_with("BUTTON") && upper != "BUTTON" && upper != "BUTTONS" &&
         upper != "BUTTON.RADIO" && upper != "BUTTON.CHECKBOX";
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}
}  // namespace

void TElementReader::LoadBitmap(std::string_view value, TSkinBitmap& bitmap) const {
  LoadSkinBitmap(ExtractBitmapEntry(reader_, value), bitmap);
}

TColour TElementReader::Colour(std::string_view section, std::string_view key,
                               TColour def) const {
  return ReadColourValue(ini_.ReadString(section, key, ""), def);
}

void TElementReader::ReadMargins(std::string_view section, TDataSkinObject& object) const {
  object.LeftWidth = Int(section, "LeftWidth", 0);
  object.RightWidth = Int(section, "RightWidth", 0);
  object.TopHeight = Int(section, "TopHeight", 0);
  object.BottomHeight = Int(section, "BottomHeight", 0);
}

void TElementReader::ReadColours(std::string_view section, TDataSkinObject& object) const {
  object.NormalColour = Int(section, "NormalColour", -1);
  object.MouseOverColour = Int(section, "MouseOverColour", -1);
  object.PressedColour = Int(section, "PressedColour", -1);
  const TColour text = defs_.Colours.ButtonText;
  object.NormalColour2 = Colour(section, "NormalColour2", text);
  object.MouseOverColour2 = Colour(section, "MouseOverColour2", text);
  object.PressedColour2 = Colour(section, "PressedColour2", text);
}

TDataSkinObject* TElementReader::General(std::string_view section) {
  defs_.Take(section);
  const std::string image = ini_.ReadString(section, "Image", "");
  if (image.empty()) return nullptr;
  auto object = std::make_unique<TDataSkinObject>(std::string(section));
  LoadBitmap(image, *object->Bitmap);
  object->Style = Int(section, "Style", 0);
  ReadMargins(section, *object);
  object->Frame = Int(section, "Frame", 0);
  object->Trans = Int(section, "Trans", 0);
  object->Tile = Int(section, "Tile", 0);
  ReadColours(section, *object);
  if (object->Tile > 1) object->Tile = 0;
  return defs_.Put(std::move(object));
}

TDataSkinBorder* TElementReader::WithExtraImage(std::string_view section,
                                                std::string_view extraKey) {
  defs_.Take(section);
  const std::string image = ini_.ReadString(section, "Image", "");
  if (image.empty()) return nullptr;
  auto object = std::make_unique<TDataSkinBorder>(std::string(section));
  LoadBitmap(image, *object->Bitmap);
  const std::string extra = ini_.ReadString(section, extraKey, "");
  if (!extra.empty()) LoadBitmap(extra, *object->ExtraBitmap);
  object->Style = Int(section, "Style", 0);
  ReadMargins(section, *object);
  object->Trans = Int(section, "Trans", 0);
  object->Tile = Int(section, "Tile", 0);
  ReadColours(section, *object);
  if (object->Tile > 1) object->Tile = 0;
  TDataSkinBorder* result = object.get();
  defs_.Put(std::move(object));
  return result;
}

TDataSkinBorder* TElementReader::Progress(std::string_view section) {
  defs_.Take(section);
  const std::string image = ini_.ReadString(section, "Bitmap", "");
  if (image.empty()) return nullptr;
  auto object = std::make_unique<TDataSkinBorder>(std::string(section));
  LoadBitmap(image, *object->Bitmap);
  object->Style = Int(section, "Style", 0);
  ReadMargins(section, *object);
  object->Trans = Int(section, "Trans", 0);
  // For the bar a tiling above 1 means tiled, unlike every other element.
  object->Tile = AtMost(Int(section, "Tile", 0), 1);
  TDataSkinBorder* result = object.get();
  defs_.Put(std::move(object));
  return result;
}

TDataSkinBoxLabel* TElementReader::BoxLabel(std::string_view section) {
  defs_.Take(section);
  const std::string image = ini_.ReadString(section, "Image", "");
  if (image.empty()) return nullptr;
  auto object = std::make_unique<TDataSkinBoxLabel>(std::string(section));
  LoadBitmap(image, *object->Bitmap);
  object->Style = Int(section, "Style", 0);
  ReadMargins(section, *object);
  object->Trans = Int(section, "Trans", 0);
  object->Tile = Int(section, "Tile", 0);
  ReadColours(section, *object);
  if (object->Tile > 1) object->Tile = 0;
  object->BackgroundAlignment = Int(section, "BackgroundAlignment", 0);
  object->BackgroundLeftShift = Int(section, "BackgroundLeftShift", 0);
  object->BackgroundRightShift = Int(section, "BackgroundRightShift", 0);
  TDataSkinBoxLabel* result = object.get();
  defs_.Put(std::move(object));
  return result;
}

void TElementReader::Borders() {
  const std::string_view section = "Personality";
  for (const char* name : kBorderNames) {
    const std::string n(name);
    auto border = std::make_unique<TDataSkinBorder>(n);
    LoadBitmap(ini_.ReadString(section, n, ""), *border->Bitmap);
    const int first = Int(section, n + "TopHeight", 0);
    const int second = Int(section, n + "BotHeight", 0);
    if (n == "Left" || n == "Right") {
      border->TopHeight = first;
      border->BottomHeight = second;
    } else {
      border->LeftWidth = first;
      border->RightWidth = second;
    }
    border->Frame = Int(section, n + "Frame", 1);
    border->Trans = Int(section, n + "Trans", 1);
    // For the borders 1 means the middle is stretched.
    border->Tile = AtMost(Int(section, n + "Stretch", 1), 1);
    defs_.Put(std::move(border));
  }
}

void TElementReader::MenuBar() {
  const std::string_view section = "Personality";
  defs_.Take("Personality");
  const std::string image = ini_.ReadString(section, "menuBar", "");
  if (image.empty()) return;
  auto bar = std::make_unique<TDataSkinObject>("Personality");
  LoadBitmap(image, *bar->Bitmap);
  bar->Tile = AtMost(Int(section, "TileMenu", 1), 1);
  bar->LeftWidth = Int(section, "TileLeftMenu", 1);
  bar->RightWidth = Int(section, "TileRightMenu", 1);
  defs_.Put(std::move(bar));
}

void TElementReader::PushButtons() {
  const std::string_view section = "Buttons";
  auto buttons = std::make_unique<TDataSkinButton>("Buttons");
  ReadMargins(section, *buttons);
  buttons->Trans = Int(section, "Trans", 0);
  buttons->Tile = Int(section, "Tile", 0);
  if (buttons->Tile > 1) buttons->Tile = 0;
  LoadBitmap(ini_.ReadString(section, "Bitmap", ""), *buttons->Bitmap);
  LoadBitmap(ini_.ReadString(section, "CheckButton", ""), *buttons->CheckBitmap);
  LoadBitmap(ini_.ReadString(section, "RadioButton", ""), *buttons->RadioBitmap);
  buttons->RadioButtonFrame = Int(section, "RadioButtonFrame", 0);
  buttons->CheckButtonFrame = Int(section, "CheckButtonFrame", 0);
  buttons->HasNormalColour2 = !ini_.ReadString(section, "NormalColour2", "").empty();
  buttons->HasMouseOverColour2 = !ini_.ReadString(section, "MouseOverColour2", "").empty();
  buttons->HasPressedColour2 = !ini_.ReadString(section, "PressedColour2", "").empty();
  ReadColours(section, *buttons);
  defs_.Put(std::move(buttons));
}

void TElementReader::Title() {
  const std::string_view section = "Personality";
  auto title = std::make_unique<TDataSkinTitle>("Title");
  LoadBitmap(ini_.ReadString(section, "TextBack", ""), *title->Bitmap);
  title->LeftWidth = Int(section, "TextShift", 0);
  title->TopHeight = Int(section, "TextShiftVert", 0);
  title->RightWidth = Int(section, "TextRightClip", 0);
  title->BottomHeight = 0;
  title->TextAlignment = Int(section, "TextAlignment", 0);
  title->Textbackground = Int(section, "Textbackground", 0);
  title->TXTBackleft = Int(section, "TXTBackleft", 0);
  title->TXTBackRight = Int(section, "TXTBackRight", 0);
  title->FontHeight = Int("Fonts", "FontHeight", 14);
  const auto textColour = [&](const std::string& prefix) {
    const int r = Int(section, prefix + "R", -1);
    const int g = Int(section, prefix + "G", -1);
    const int b = Int(section, prefix + "B", -1);
    if (r < 0 || g < 0 || b < 0) return kColourNotGiven;
    return RGBColour(r % 256, g % 256, b % 256);
  };
  title->ActiveText = textColour("ActiveText");
  title->InActiveText = textColour("InActiveText");
  defs_.Put(std::move(title));
}

void TElementReader::CaptionButtons(const std::vector<std::string>& sections) {
  auto& list = defs_.CaptionButtons();
  list.clear();
  for (const std::string& s : sections) {
    if (!IsCaptionButtonSection(s)) continue;
    const int action = Int(s, "Action", 0);
    if (action == -1 && Int(s, "Visibility", -1) != 0) continue;
    auto button = std::make_unique<TDataSkinSysButton>(Upper(s));
    button->Action = action;
    button->Align = Int(s, "Align", 0);
    button->Xcoord = Int(s, "Xcoord", 0);
    button->Ycoord = Int(s, "Ycoord", 0);
    button->Visibility = Int(s, "Visibility", 0);
    button->Visibility1 = Int(s, "Visibility1", action == -1 ? -1 : 0);
    button->CombineOp = Int(s, "CombineOp", -1);
    button->Frame = Int(s, "frame", 0);
    LoadBitmap(ini_.ReadString(s, "ButtonImage", ""), *button->Bitmap);
    if (button->Frame == 0) {
      button->Frame = 6;
      const TSkinBitmap& bmp = *button->Bitmap;
      if (!bmp.Empty()) {
        const double ratio = static_cast<double>(bmp.Width()) / bmp.Height();
        button->Frame = ratio <= 3.8 ? 3 : 6;
        if (button->Action < 0) button->Frame = 6;
        // The icon button (3) and the help-like action 11 draw the window's own picture.
        if (button->Action == 3 || button->Action == 11) button->Bitmap->SetSize(0, 0);
      }
    }
    list.push_back(std::move(button));
  }
  ReadMdiButtons();
}

// Minimise, restore and close of a maximised MDI child: three four-frame parts of one
// twelve-frame strip, laid out from the right.
void TElementReader::ReadMdiButtons() {
  TSkinBitmap strip;
  const std::string image = ini_.ReadString("MDICONTROLS", "Image", "");
  if (!image.empty()) LoadBitmap(image, strip);
  const int unit = strip.Width() / 12;
  for (int i = 0; i < 3; ++i) {
    std::string name = "MDICONTROLS";
    name += static_cast<char>('1' + i);
    auto button = std::make_unique<TDataSkinSysButton>(name);
    button->Action = 7 + i;
    button->Align = 100;
    button->Visibility = 100;
    button->Visibility1 = 100;
    button->Frame = 4;
    if (!image.empty()) {
      CopyBitmapPart(strip, 4 * unit * i, 0, 4 * unit, strip.Height(), *button->Bitmap);
      button->Xcoord = (unit + 4) * (3 - i);
    }
    defs_.CaptionButtons().push_back(std::move(button));
  }
}

}  // namespace skin
