// The class information of the skinner classes and the factory.
#include "skin/controls/SkinBoxes.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinOthers.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinnerFactory.h"
#include "skin/data/SkinMessages.h"

namespace skin {

SKIN_CONTROL_CLASS_INFO(TSkinButton, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinBitButton, TSkinButton)
SKIN_CONTROL_CLASS_INFO(TSkinSpeedButton, TSkinBitButton)
SKIN_CONTROL_CLASS_INFO(TSkinMenuButton, TSkinButton)
SKIN_CONTROL_CLASS_INFO(TSkinCheckBox, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinRadioButton, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinGroupBox, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinBox, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinBoxH, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinScrollbar, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinListView, TSkinScrollbar)
SKIN_CONTROL_CLASS_INFO(TSkinHeader, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinScrollbarH, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinScControl, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinEdit, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinComBox, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinUpDown, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinDateTime, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinTab, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinTabBtn, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinTabSheet, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinTab31, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinAdvPage, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinProgress, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinTrackBar, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinSizer, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinObjImage, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinMP, TSkinControl)
SKIN_CONTROL_CLASS_INFO(TSkinStatusBar, TSkinControl)

namespace {

template <class T>
TSkinControl* Make(ui::TComponent* owner) {
  return new T(owner);
}

struct TSkinnerEntry {
  TSkinnerClass cls;
  TSkinControl* (*make)(ui::TComponent*);
  const ui::TClassInfo& (*info)();
};

const TSkinnerEntry kSkinners[] = {
    {scButton, Make<TSkinButton>, TSkinButton::StaticClass},
    {scBitButton, Make<TSkinBitButton>, TSkinBitButton::StaticClass},
    {scSpeedButton, Make<TSkinSpeedButton>, TSkinSpeedButton::StaticClass},
    {scMenuButton, Make<TSkinMenuButton>, TSkinMenuButton::StaticClass},
    {scCheckBox, Make<TSkinCheckBox>, TSkinCheckBox::StaticClass},
    {scRadioButton, Make<TSkinRadioButton>, TSkinRadioButton::StaticClass},
    {scGroupBox, Make<TSkinGroupBox>, TSkinGroupBox::StaticClass},
    {scBox, Make<TSkinBox>, TSkinBox::StaticClass},
    {scBoxH, Make<TSkinBoxH>, TSkinBoxH::StaticClass},
    {scScrollbar, Make<TSkinScrollbar>, TSkinScrollbar::StaticClass},
    {scListView, Make<TSkinListView>, TSkinListView::StaticClass},
    {scEdit, Make<TSkinEdit>, TSkinEdit::StaticClass},
    {scComBox, Make<TSkinComBox>, TSkinComBox::StaticClass},
    {scUpDown, Make<TSkinUpDown>, TSkinUpDown::StaticClass},
    {scDateTime, Make<TSkinDateTime>, TSkinDateTime::StaticClass},
    {scTab, Make<TSkinTab>, TSkinTab::StaticClass},
    {scTabBtn, Make<TSkinTabBtn>, TSkinTabBtn::StaticClass},
    {scTabSheet, Make<TSkinTabSheet>, TSkinTabSheet::StaticClass},
    {scTab31, Make<TSkinTab31>, TSkinTab31::StaticClass},
    {scAdvPage, Make<TSkinAdvPage>, TSkinAdvPage::StaticClass},
    {scProgress, Make<TSkinProgress>, TSkinProgress::StaticClass},
    {scTrackBar, Make<TSkinTrackBar>, TSkinTrackBar::StaticClass},
    {scSizer, Make<TSkinSizer>, TSkinSizer::StaticClass},
    {scObjImage, Make<TSkinObjImage>, TSkinObjImage::StaticClass},
    {scMP, Make<TSkinMP>, TSkinMP::StaticClass},
    {scScControl, Make<TSkinScControl>, TSkinScControl::StaticClass},
    {scStatusBar, Make<TSkinStatusBar>, TSkinStatusBar::StaticClass},
};

const TSkinnerEntry* EntryOf(TSkinnerClass cls) {
  for (const TSkinnerEntry& e : kSkinners) {
    if (e.cls == cls) return &e;
  }
  return nullptr;
}

}  // namespace

TSkinControl* CreateSkinner(TSkinnerClass cls, ui::TComponent* owner) {
  const TSkinnerEntry* e = EntryOf(cls);
  return e ? e->make(owner) : nullptr;
}

std::wstring SkinnerClassName(TSkinnerClass cls) {
  const TSkinnerEntry* e = EntryOf(cls);
  return e ? e->info().Name() : std::wstring();
}

}  // namespace skin
