// Published properties by name, as the skinners read them from any control class.
#include <gtest/gtest.h>

#include "ui/Forms.h"
#include "ui/TypInfo.h"

using namespace ui;

namespace {

// A foreign control class that publishes its own properties, as a third-party control would.
enum TFancyKind { fkPlain, fkShiny, fkGlowing };
const TEnumInfo& FancyKindInfo() {
  static const TEnumInfo info(L"TFancyKind", {L"fkPlain", L"fkShiny", L"fkGlowing"});
  return info;
}

class TFancyButton : public TGraphicControl {
  UI_CLASS_INFO
 public:
  using TGraphicControl::TGraphicControl;
  int Margin() const { return margin_; }
  void SetMargin(int m) { margin_ = m; }
  TFancyKind Kind() const { return kind_; }
  void SetKind(TFancyKind k) { kind_ = k; }
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool v) { parentBackground_ = v; }
  std::wstring Glyph() const { return glyph_; }
  void SetGlyph(const std::wstring& g) { glyph_ = g; }
  TBitmap* Picture() const { return picture_.get(); }

 private:
  int margin_ = 4;
  TFancyKind kind_ = fkShiny;
  bool parentBackground_ = true;
  std::wstring glyph_ = L"★";
  std::unique_ptr<TBitmap> picture_ = std::make_unique<TBitmap>(2, 2);
};

const TClassInfo& TFancyButton::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo c(L"TFancyButton", &TGraphicControl::StaticClass());
    c.Str(L"Caption", &TControl::Caption, &TControl::SetCaption);
    c.Int(L"Margin", &TFancyButton::Margin, &TFancyButton::SetMargin);
    c.Enum(L"Kind", FancyKindInfo(), &TFancyButton::Kind, &TFancyButton::SetKind);
    c.Bool(L"ParentBackground", &TFancyButton::ParentBackground, &TFancyButton::SetParentBackground);
    c.Str(L"Glyph", &TFancyButton::Glyph, &TFancyButton::SetGlyph);
    c.Obj(L"Picture", &TFancyButton::Picture);
    return c;
  }();
  return info;
}

}  // namespace

TEST(Properties, ReadByNameFromAnyPublishingClass) {
  TFancyButton b(nullptr);
  b.SetBounds(3, 4, 50, 20);
  b.SetCaption(L"确定");
  b.SetAlign(alTop);
  EXPECT_EQ(GetIntProp(&b, L"Margin"), 4);
  EXPECT_EQ(GetIntProp(&b, L"left"), 3);  // names ignore letter case
  EXPECT_EQ(GetEnumPropText(&b, L"Kind"), L"fkShiny");
  EXPECT_EQ(GetEnumPropText(&b, L"Align"), L"alTop");
  EXPECT_EQ(GetEnumPropText(&b, L"ParentBackground"), L"True");
  EXPECT_EQ(GetEnumPropText(&b, L"Anchors"), L"akLeft,akTop");
  EXPECT_EQ(GetTextProp(&b, L"Glyph"), L"★");
  EXPECT_EQ(GetTextProp(&b, L"Caption"), L"确定");
  EXPECT_EQ(GetObjectProp<TBitmap>(&b, L"Picture"), b.Picture());
  EXPECT_EQ(GetObjectProp<TFont>(&b, L"Font"), b.Font());
  EXPECT_TRUE(b.InheritsFrom(TControl::StaticClass()));
  EXPECT_EQ(b.ClassName(), L"TFancyButton");
}

TEST(Properties, MissingOrMismatchedYieldDefaultsNeverErrors) {
  TFancyButton b(nullptr);
  EXPECT_EQ(GetIntProp(&b, L"NoSuchThing"), -1);
  EXPECT_EQ(GetIntProp(&b, L"Kind"), -1);  // an enumeration is not an integer
  EXPECT_EQ(GetIntProp(&b, L"Glyph"), -1);
  EXPECT_EQ(GetIntProp(nullptr, L"Margin"), -1);
  EXPECT_EQ(GetEnumPropText(&b, L"Margin"), L"");
  EXPECT_EQ(GetEnumPropText(nullptr, L"Kind"), L"");
  EXPECT_EQ(GetTextProp(&b, L"Margin"), L"");
  EXPECT_EQ(GetTextProp(&b, L"Missing"), L"");
  // An object property of another class than asked for is nothing.
  EXPECT_EQ(GetObjectProp<TFont>(&b, L"Picture"), nullptr);
  EXPECT_EQ(GetObjectProp<TFont>(&b, L"Margin"), nullptr);
  EXPECT_EQ(GetObjectProp<TFont>(nullptr, L"Font"), nullptr);
  EXPECT_FALSE(SetPropText(&b, L"Missing", L"1"));
  EXPECT_FALSE(SetPropText(nullptr, L"Margin", L"1"));
  EXPECT_FALSE(IsPublishedProp(&b, L"Missing"));
  EXPECT_TRUE(IsPublishedProp(&b, L"Hint"));
}

TEST(Properties, SetPropTextConvertsByKind) {
  TFancyButton b(nullptr);
  EXPECT_TRUE(SetPropText(&b, L"Margin", L" 12 "));
  EXPECT_EQ(b.Margin(), 12);
  EXPECT_TRUE(SetPropText(&b, L"Margin", L"$1F"));
  EXPECT_EQ(b.Margin(), 31);
  EXPECT_FALSE(SetPropText(&b, L"Margin", L"12px"));  // not an integer: unchanged
  EXPECT_EQ(b.Margin(), 31);
  EXPECT_TRUE(SetPropText(&b, L"Kind", L"FKGLOWING"));
  EXPECT_EQ(b.Kind(), fkGlowing);
  EXPECT_FALSE(SetPropText(&b, L"Kind", L"fkNope"));
  EXPECT_EQ(b.Kind(), fkGlowing);
  EXPECT_TRUE(SetPropText(&b, L"ParentBackground", L"False"));
  EXPECT_FALSE(b.ParentBackground());
  EXPECT_TRUE(SetPropText(&b, L"Anchors", L"[akLeft, akRight]"));
  EXPECT_EQ(b.Anchors(), (1 << akLeft) | (1 << akRight));
  EXPECT_TRUE(SetPropText(&b, L"Caption", L"取消"));
  EXPECT_EQ(b.Caption(), L"取消");
  EXPECT_TRUE(SetPropText(&b, L"Tag", L"-99"));
  EXPECT_EQ(b.Tag(), -99);
  EXPECT_FALSE(SetPropText(&b, L"Picture", L"x"));  // objects are not set from text
}
