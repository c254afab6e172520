#include "SkinDefinitions.h"

#include <algorithm>

#include "SkinContainer.h"
#include "SkinElementReaders.h"

namespace skin {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

// The general elements read after the title, in reading order.
const char* const kLateElements[] = {
    "ExtraImages", "Headerbar", "MenuItem", "MenuBackground", "Scrollbar", "HorzScroll",
    "VertScroll", "HorzScrollThumb", "VertScrollThumb", "Trackbar.ThumbHorz",
    "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp",
    "Trackbar.ThumbDown"};

void ReadColourTable(const TQuickIni& ini, TSkinDefinitions& defs) {
  const auto colour = [&](const char* key, TColour def) {
    return ReadColourValue(ini.ReadString("Colours", key, ""), def);
  };
  TSkinColourTable& c = defs.Colours;
  c.WindowText = colour("WindowText", SystemColour(8));
  c.ButtonFace = colour("ButtonFace", SystemColour(15));
  c.Scrollbar = colour("Scrollbar", SystemColour(0));
  c.HilightText = colour("HilightText", SystemColour(14));
  c.Hilight = colour("Hilight", SystemColour(13));
  c.Menubar = colour("Menubar", c.ButtonFace);
  c.Menu = colour("Menu", SystemColour(4));
  c.MenuText = colour("MenuText", SystemColour(7));
  c.ButtonText = colour("ButtonText", SystemColour(18));
  c.ButtonHilight = colour("ButtonHilight", SystemColour(20));
  c.Buttonlight = colour("Buttonlight", SystemColour(20));
  c.ButtonShadow = colour("ButtonShadow", SystemColour(16));
  c.ButtonDkShadow = colour("ButtonDkShadow", SystemColour(21));
  c.MenuBarText = colour("MenuBarText", SystemColour(7));
  c.TitleTextActive = colour("TitleTextActive", SystemColour(9));
  c.TitleTextNoActive = colour("TitleTextNoActive", SystemColour(19));
}

void ReadColourSections(const TQuickIni& ini, const std::vector<std::string>& sections,
                        TSkinDefinitions& defs) {
  defs.ColourList.clear();
  for (const std::string& s : sections) {
    std::string upper = AsciiLower(s);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char ch) { return ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch; });
    if (!upper.starts_with("COLOUR") || upper == "COLOURS") continue;
    defs.ColourList.push_back(ReadColourValue(ini.ReadString(s, "color", ""), SystemColour(8)));
  }
  for (int i = 0; i < kCustomColourCount; ++i) {
    const std::string key = "Color" + std::to_string(i);
    defs.CustomColours[static_cast<std::size_t>(i)] =
        ReadColourValue(ini.ReadString("Customcolors", key, ""), RGBColour(255, 255, 255));
  }
}

void SetFrames(const TSkinDefinitions& defs, std::initializer_list<const char*> names,
               int frames) {
  for (const char* name : names) {
    if (TDataSkinObject* o = defs.Find(name)) o->Frame = frames;
  }
}

// Frames of a check box or radio strip that the skin does not count: 13 pixels wide frames
// for strips under 16 pixels high, else 16 pixels, and never fewer than 4.
int GlyphStripFrames(int given, const TSkinBitmap& strip) {
  if (given != 0) return given;
  const int frames = strip.Width() / (strip.Height() < 16 ? 13 : 16);
  return std::max(frames, 4);
}

// The frame counts the engine fixes whatever the skin said.
void FixFrameCounts(const TQuickIni& ini, const TSkinDefinitions& defs) {
  if (TDataSkinButton* b = defs.Buttons()) {
    b->Frame = 5;
    b->RadioButtonFrame = GlyphStripFrames(b->RadioButtonFrame, *b->RadioBitmap);
    b->CheckButtonFrame = GlyphStripFrames(b->CheckButtonFrame, *b->CheckBitmap);
  }
  SetFrames(defs, {"Title", "Personality", "GroupBoxEdge"}, 2);
  if (TDataSkinObject* p = defs.Find("Progress")) p->Frame = p->Style != 0 ? 1 : 2;
  SetFrames(defs, {"ToolBars", "Tabs", "ExtraImages", "MenuItem", "Trackbar.ThumbHorz",
                   "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight",
                   "Trackbar.ThumbUp", "Trackbar.ThumbDown"},
            5);
  SetFrames(defs, {"Tab.Pane", "GroupBox", "MenuBackground"}, 1);
  SetFrames(defs, {"StatusBarEdges"}, 3);
  SetFrames(defs, {"ComboButton", "SunkEdge", "HorzScroll", "VertScroll"}, 4);
  if (TDataSkinObject* h = defs.Find("Headerbar"); h && h->Frame == 0) h->Frame = 5;
  SetFrames(defs, {"Scrollbar"}, 23);
  SetFrames(defs, {"UpDown.Horz", "UpDown.Vert"}, 8);
  for (const char* thumb : {"HorzScrollThumb", "VertScrollThumb"}) {
    if (TDataSkinObject* t = defs.Find(thumb)) t->Frame = ini.ReadInteger(thumb, "FrameCount", 3);
  }
}

// A track channel the skin does not give is made from the program's picture of that name.
void TrackFallback(const char* name, const TProgramBitmapLoader& load, TSkinDefinitions& defs) {
  if (defs.Find(name)) return;
  auto track = std::make_unique<TDataSkinObject>(name);
  const bool loaded = load ? load(name, *track->Bitmap) : BuiltinTrackBitmap(name, *track->Bitmap);
  if (!loaded) return;
  track->LeftWidth = track->TopHeight = track->RightWidth = track->BottomHeight = 3;
  track->Tile = 0;
  track->Frame = 1;
  defs.Put(std::move(track));
}

}  // namespace

bool BuiltinTrackBitmap(std::string_view name, TSkinBitmap& bitmap) {
  constexpr std::uint32_t s = 0xC0C0C0, g = 0x808080, w = 0xFFFFFF;
  if (SameName(name, "TRACK")) {
    std::vector<std::uint32_t> rows(16 * 4, w);
    const std::uint32_t top[16] = {s, s, g, g, g, g, g, g, g, g, g, g, g, g, w, w};
    std::copy(std::begin(top), std::end(top), rows.begin());
    rows[16] = rows[17] = s;
    rows[32] = g, rows[33] = s;
    rows[48] = rows[49] = s;
    bitmap.SetPixels(16, 4, rows.data());
    return true;
  }
  if (SameName(name, "TRACKVERT")) {
    std::vector<std::uint32_t> rows(4 * 16, w);
    const std::uint32_t head[8] = {s, s, g, s, s, s, s, s};
    std::copy(std::begin(head), std::end(head), rows.begin());
    for (int y = 2; y < 14; ++y) rows[static_cast<std::size_t>(4 * y)] = g;
    bitmap.SetPixels(4, 16, rows.data());
    return true;
  }
  return false;
}

TDataSkinObject* TSkinDefinitions::Find(std::string_view name) const {
  for (const auto& o : objects_) {
    if (SameName(o->Name, name)) return o.get();
  }
  return nullptr;
}

TDataSkinObject* TSkinDefinitions::Put(std::unique_ptr<TDataSkinObject> object) {
  Take(object->Name);
  objects_.push_back(std::move(object));
  return objects_.back().get();
}

std::unique_ptr<TDataSkinObject> TSkinDefinitions::Take(std::string_view name) {
  const auto it = std::find_if(objects_.begin(), objects_.end(),
                               [&](const auto& o) { return SameName(o->Name, name); });
  if (it == objects_.end()) return nullptr;
  std::unique_ptr<TDataSkinObject> taken = std::move(*it);
  objects_.erase(it);
  return taken;
}

void TSkinDefinitions::Read(const TQuickIni& ini, const TSkinReader& reader,
                            const TProgramBitmapLoader& programBitmap) {
  TElementReader r(ini, reader, *this);
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  SkinName = ini.ReadString("TitlebarSkin", "SkinName", "");
  r.Borders();
  ReadColourTable(ini, *this);
  ReadColourSections(ini, sections, *this);
  r.CaptionButtons(sections);
  r.PushButtons();
  r.Title();
  r.Progress("Progress");
  r.General("Progress.Chunk");
  r.MenuBar();
  r.General("GroupBoxEdge");
  r.BoxLabel("GroupBox");
  r.WithExtraImage("Tabs", "Border");
  r.General("StatusBarEdges");
  if (TDataSkinObject* pane = r.General("Tab.Pane")) {
    // The page frame keeps at most 4 pixels of each margin.
    for (std::int32_t* m : {&pane->LeftWidth, &pane->TopHeight, &pane->RightWidth,
                            &pane->BottomHeight}) {
      *m = std::min(*m, 4);
    }
  }
  r.General("ToolBars");
  // "****" is a key that no skin has: the combo button carries no second image of its own.
  TDataSkinBorder* combo = r.WithExtraImage("ComboButton", "****");
  r.General("SunkEdge");
  // The combo button always has four frames (its count is fixed when the skin is read).
  if (combo && !combo->Bitmap->Empty()) CopyMirrored(*combo->Bitmap, *combo->ExtraBitmap, 4);
  for (const char* name : kLateElements) r.General(name);
  r.WithExtraImage("UpDown.Horz", "GlyphImage");
  r.WithExtraImage("UpDown.Vert", "GlyphImage");
  r.General("Track");
  r.General("TRACKVERT");
  TrackFallback("Track", programBitmap, *this);
  TrackFallback("TRACKVERT", programBitmap, *this);
  FixFrameCounts(ini, *this);
}

}  // namespace skin
