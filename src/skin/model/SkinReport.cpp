#include "SkinReport.h"

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace skin {

namespace {

std::string ColourText(TColour c) {
  std::ostringstream s;
  if ((c & 0xFF000000u) == 0xFF000000u) {
    s << "system " << (c & 0xFF);
  } else if (c == kColourNotGiven) {
    s << "not given";
  } else {
    s << (c & 0xFF) << ' ' << ((c >> 8) & 0xFF) << ' ' << ((c >> 16) & 0xFF);
  }
  return s.str();
}

std::string SizeText(const TSkinBitmap& b) {
  return b.Empty() ? std::string("no image")
                   : std::to_string(b.Width()) + " x " + std::to_string(b.Height());
}

// An image is usable when it holds at least one pixel column per frame.
bool Usable(const TSkinBitmap& b, int frames) {
  return !b.Empty() && b.Width() >= std::max(frames, 1);
}

class TReport {
 public:
  explicit TReport(std::ostream& out) : out_(out) {}

  void Element(const TDataSkinObject& o) {
    out_ << std::left << std::setw(20) << o.Name << std::right << " frames " << o.Frame
         << ", margins " << o.LeftWidth << ' ' << o.TopHeight << ' ' << o.RightWidth << ' '
         << o.BottomHeight << ", Trans " << o.Trans << ", Tile " << o.Tile << ", Style "
         << o.Style << ", image " << SizeText(*o.Bitmap) << '\n';
    if (auto* border = dynamic_cast<const TDataSkinBorder*>(&o); border && !border->ExtraBitmap->Empty())
      out_ << std::setw(22) << "" << "second image " << SizeText(*border->ExtraBitmap) << '\n';
    if (auto* b = dynamic_cast<const TDataSkinButton*>(&o)) {
      out_ << std::setw(22) << "" << "check box " << SizeText(*b->CheckBitmap) << " in "
           << b->CheckButtonFrame << " frames, radio " << SizeText(*b->RadioBitmap) << " in "
           << b->RadioButtonFrame << " frames\n";
      if (!Usable(*b->CheckBitmap, b->CheckButtonFrame)) Warn(o.Name + " has no usable check box image");
      if (!Usable(*b->RadioBitmap, b->RadioButtonFrame)) Warn(o.Name + " has no usable radio image");
    }
    if (!Usable(*o.Bitmap, o.Frame)) Warn(o.Name + " has no usable image; drawn the standard way");
  }

  void CaptionButton(const TDataSkinSysButton& b) {
    out_ << std::left << std::setw(20) << b.Name << std::right << " action " << b.Action
         << ", align " << b.Align << ", at " << b.Xcoord << ' ' << b.Ycoord << ", visibility "
         << b.Visibility << ' ' << b.Visibility1 << ", frames " << b.Frame << ", image "
         << SizeText(*b.Bitmap) << '\n';
    if (b.Action == 3 || b.Action == 11) return;  // shows the window's own icon
    if (!Usable(*b.Bitmap, b.Frame)) Warn(b.Name + " has no usable image");
  }

  void Colour(const char* name, TColour c) {
    out_ << "  " << std::left << std::setw(18) << name << std::right << ColourText(c) << '\n';
  }

  void Warn(const std::string& text) {
    out_ << "warning: " << text << '\n';
    ++warnings_;
  }
  std::ostream& Out() { return out_; }
  int Warnings() const { return warnings_; }

 private:
  std::ostream& out_;
  int warnings_ = 0;
};

void WriteColours(const TSkinDefinitions& defs, TReport& r) {
  const TSkinColourTable& c = defs.Colours;
  r.Out() << "colour table:\n";
  r.Colour("WindowText", c.WindowText);
  r.Colour("ButtonFace", c.ButtonFace);
  r.Colour("Scrollbar", c.Scrollbar);
  r.Colour("HilightText", c.HilightText);
  r.Colour("Hilight", c.Hilight);
  r.Colour("Menubar", c.Menubar);
  r.Colour("Menu", c.Menu);
  r.Colour("MenuText", c.MenuText);
  r.Colour("ButtonText", c.ButtonText);
  r.Colour("ButtonHilight", c.ButtonHilight);
  r.Colour("Buttonlight", c.Buttonlight);
  r.Colour("ButtonShadow", c.ButtonShadow);
  r.Colour("ButtonDkShadow", c.ButtonDkShadow);
  r.Colour("MenuBarText", c.MenuBarText);
  r.Colour("TitleTextActive", c.TitleTextActive);
  r.Colour("TitleTextNoActive", c.TitleTextNoActive);
  r.Out() << "colour list:";
  for (TColour colour : defs.ColourList) r.Out() << " (" << ColourText(colour) << ')';
  r.Out() << "\ncustom colours:";
  for (TColour colour : defs.CustomColours) r.Out() << " (" << ColourText(colour) << ')';
  r.Out() << '\n';
}

// Every element a skin can define, for the report of the ones it leaves out.
const char* const kElementNames[] = {
    "Left", "Right", "Top", "Bottom", "Buttons", "Title", "Progress", "Progress.Chunk",
    "Personality", "GroupBoxEdge", "GroupBox", "Tabs", "StatusBarEdges", "Tab.Pane", "ToolBars",
    "ComboButton", "SunkEdge", "ExtraImages", "Headerbar", "MenuItem", "MenuBackground",
    "Scrollbar", "HorzScroll", "VertScroll", "HorzScrollThumb", "VertScrollThumb",
    "Trackbar.ThumbHorz", "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight",
    "Trackbar.ThumbUp", "Trackbar.ThumbDown", "UpDown.Horz", "UpDown.Vert", "Track",
    "TRACKVERT"};

}  // namespace

TSkinLoadStatus LoadSkinDefinitions(std::span<const std::uint8_t> block, TSkinDefinitions& defs,
                                    const TProgramBitmapLoader& programBitmap) {
  TSkinReader reader;
  if (!reader.Load(block)) return reader.Status();
  std::vector<std::uint8_t> text;
  std::string name;
  reader.ExtractEntryContaining(".ini", text, name);
  TQuickIni ini;
  ini.Load(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
  defs.Read(ini, reader, programBitmap);
  return TSkinLoadStatus::Ok;
}

int WriteSkinReport(const TSkinDefinitions& defs, std::ostream& out) {
  TReport r(out);
  out << "skin: " << (defs.SkinName.empty() ? "(no name)" : defs.SkinName) << '\n';
  out << "elements (" << defs.Objects().size() << "):\n";
  for (const auto& o : defs.Objects()) r.Element(*o);
  for (const char* name : kElementNames) {
    if (!defs.Find(name)) r.Warn(std::string(name) + " is not defined; drawn the standard way");
  }
  out << "caption buttons (" << defs.CaptionButtons().size() << "):\n";
  for (const auto& b : defs.CaptionButtons()) r.CaptionButton(*b);
  WriteColours(defs, r);
  out << r.Warnings() << " warnings\n";
  return r.Warnings();
}

}  // namespace skin
