#include "ResolvedSkin.h"

namespace skin {

namespace {

TProgressLook ProgressLookOf(const TDataSkinObject* bar) {
  return bar && bar->Style == 1 ? TProgressLook::Chunks : TProgressLook::Stretched;
}

TComboLook ComboLookOf(const TDataSkinObject* button) {
  if (!button) return TComboLook::EdgeAndButton;
  switch (button->Style) {
    case 1: return TComboLook::Flat;
    case 2: return TComboLook::Whole;
    default: return TComboLook::EdgeAndButton;
  }
}

TTabPaneSource TabPaneSourceOf(const TDataSkinObject* tabs) {
  if (!tabs) return TTabPaneSource::None;
  switch (tabs->Style) {
    case 0: return TTabPaneSource::TabsBorder;
    case 1: return TTabPaneSource::PaneElement;
    default: return TTabPaneSource::None;
  }
}

const TSkinBitmap* ExtraPicture(const TDataSkinObject* object) {
  const auto* border = dynamic_cast<const TDataSkinBorder*>(object);
  return border ? border->ExtraBitmap.get() : nullptr;
}

const TSkinBitmap* PanePicture(const TResolvedSkin& r) {
  switch (r.TabPaneSource) {
    case TTabPaneSource::TabsBorder: return ExtraPicture(r.Tabs);
    case TTabPaneSource::PaneElement: return r.TabPane ? r.TabPane->Bitmap.get() : nullptr;
    case TTabPaneSource::None: break;
  }
  return nullptr;
}

void ResolveControls(const TSkinDefinitions& defs, TResolvedSkin& r) {
  r.Button = defs.FindAs<TDataSkinButton>("Buttons");
  r.ComboButton = defs.Find("ComboButton");
  r.ComboLook = ComboLookOf(r.ComboButton);
  const TSkinBitmap* mirrored = ExtraPicture(r.ComboButton);
  r.ComboButtonMirrored = mirrored && !mirrored->Empty() ? mirrored : nullptr;
  r.ComboArrow = defs.Find("ComboxArrow");
  r.SunkEdge = defs.Find("SunkEdge");
  r.ExtraImages = defs.Find("ExtraImages");
  r.Progress = defs.Find("Progress");
  r.ProgressLook = ProgressLookOf(r.Progress);
  r.ProgressChunk = defs.Find("Progress.Chunk");
  r.Track = defs.Find("Track");
  r.TrackVert = defs.Find("TRACKVERT");
  r.ThumbHorz = defs.Find("Trackbar.ThumbHorz");
  r.ThumbVert = defs.Find("Trackbar.ThumbVert");
  r.Scrollbar = defs.Find("Scrollbar");
  r.HorzScroll = defs.Find("HorzScroll");
  r.VertScroll = defs.Find("VertScroll");
  r.HorzScrollThumb = defs.Find("HorzScrollThumb");
  r.VertScrollThumb = defs.Find("VertScrollThumb");
  r.UpDownHorz = defs.Border("UpDown.Horz");
  r.UpDownVert = defs.Border("UpDown.Vert");
  r.Headerbar = defs.Find("Headerbar");
  r.StatusBarEdges = defs.Find("StatusBarEdges");
}

void ResolveTabs(const TSkinDefinitions& defs, TResolvedSkin& r) {
  r.Tabs = defs.Find("Tabs");
  r.TabPaneSource = TabPaneSourceOf(r.Tabs);
  r.TabPane = defs.Find("Tab.Pane");
  r.TabPanePicture = PanePicture(r);
}

}  // namespace

TResolvedSkin ResolveSkin(const TSkinDefinitions& defs) {
  TResolvedSkin r;
  r.Title = defs.Title();
  r.LeftBorder = defs.Find("Left");
  r.RightBorder = defs.Find("Right");
  r.TopBorder = defs.Find("Top");
  r.BottomBorder = defs.Find("Bottom");
  r.MenuBar = defs.MenuBar();
  r.MenuItem = defs.Find("MenuItem");
  r.MenuBackground = defs.Find("MenuBackground");
  ResolveControls(defs, r);
  ResolveTabs(defs, r);
  return r;
}

}  // namespace skin
