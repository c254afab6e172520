// Which skinner a control gets: the skin data's Skin3rd map of class names to kinds, the
// classes left alone and the class rules, each under its SkinControls switch; and for bare
// windows (the children of a window without form object) the table by window class and
// style. The choice is stated here without side effects; the frame skinner carries it out
// (FrameControls.cpp).
#pragma once

#include <windows.h>

#include <string>

#include "skin/controls/SkinnerFactory.h"
#include "skin/data/WinSkinData.h"
#include "ui/Controls.h"

namespace skin {

// AttachGraphic: the windowless attachment of a speed button's skinner.
enum class TAttachVia { Attach, AttachHandle, AttachScrollBars, AttachGraphic };

// What happens to the control's children, before or after its own skinner is attached.
enum class TChildRule {
  None,
  AttachControls,   // each child control is offered to AttachControl
  FormControls,     // each component of the embedded form that is a control: AttachControl
  RadioGroup,       // each child: TSkinObjImage Variant 2 (foreign) or TSkinRadioButton
  CheckGroup,       // each child: TSkinObjImage Variant 1 (foreign) or TSkinCheckBox
  EmbedScrollbars,  // each child with window scroll bars, or a memo: TSkinScrollbar
};

struct TControlChoice {
  TSkinnerClass Skinner = scNone;
  bool ChangeColor = false;
  TAttachVia Via = TAttachVia::Attach;
  int Kind = 0;                  // the skinner's Kind before attaching (tabs: drawing variant)
  int Variant = 0;               // TSkinObjImage variant, TSkinAdvPage page mode
  bool SingleBar = false;        // TSkinScrollbar: the vertical bar only
  std::wstring GlyphProperty;    // TSkinBitButton: the foreign glyph property
  bool SetTransparent = false;   // the control's "Transparent" becomes "True" first
  TChildRule Children = TChildRule::None;
  bool ChildrenFirst = false;    // the children are served before the control's own skinner
  bool ForeignChildren = false;  // RadioGroup/CheckGroup: the group is of a foreign class
};

// The class name as the rules compare it: upper case.
std::wstring UpperClassName(const ui::TControl& control);

// The Skin3rd map for the control of that upper-cased class name: false when the map has no
// line for the class (or an empty kind); otherwise `choice` says what the map decided (which
// may be no skinner at all).
bool LookupSkin3rd(const std::wstring& upperClass, const ui::TControl& control,
                   const TSkinData& data, TControlChoice& choice);

// The map, the classes left alone and the class rules, in this order, for a control that has
// a parent and a window (when windowed).
TControlChoice ChooseControlSkinner(const ui::TControl& control, const TSkinData& data);

struct TWindowChoice {
  TSkinnerClass Skinner = scNone;
  bool ChildrenFirst = false;     // the window's own children get AttachChildWindows first
  bool OnFirstChild = false;      // the skinner goes on the window's first child window
  bool BackgroundColour = false;  // its class-library object takes the skin's background colour
};

// The table for bare windows by class name (any letter case) and style.
TWindowChoice ChooseWindowSkinner(const std::wstring& className, LONG style);

}  // namespace skin
