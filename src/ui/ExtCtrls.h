// More controls: panels, shapes, radio groups and edits with a label of their own.
#pragma once

#include <memory>
#include <vector>

#include "ui/StdCtrls.h"

namespace ui {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
const TEnumInfo& BevelCutInfo();
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
const TEnumInfo& ShapeTypeInfo();
enum TLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };
const TEnumInfo& LabelPositionInfo();

// A container that paints its colour, an outer and an inner bevel and its caption.
class TCustomPanel : public TCustomControl {
  UI_CLASS_INFO
 public:
  explicit TCustomPanel(TComponent* owner);

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  // Space in the panel's colour between the outer and the inner bevel.
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  // bsSingle adds a one-pixel window border around everything.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // When on, the panel shows its parent's colour behind bevels and caption instead of its own
  // Color (skinners switch it off to show the skin's colour).
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool value);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;

 private:
  // Draws one bevel inside r and moves r inside it.
  void DrawBevel(RECT& r, TBevelCut cut);
  TColor BackgroundColor() const;

  TBevelCut bevelOuter_ = bvRaised, bevelInner_ = bvNone;
  int bevelWidth_ = 1, borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  TAlignment alignment_ = taCenter;
  bool parentBackground_ = false;
};

class TPanel : public TCustomPanel {
  UI_CLASS_INFO
 public:
  explicit TPanel(TComponent* owner);
};

// A geometric figure outlined with Pen and filled with Brush.
class TShape : public TGraphicControl {
  UI_CLASS_INFO
 public:
  explicit TShape(TComponent* owner);
  ~TShape() override;

  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType value);
  TBrush* Brush() const { return brush_.get(); }
  TPen* Pen() const { return pen_.get(); }

 protected:
  void Paint() override;

 private:
  TShapeType shape_ = stRectangle;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TPen> pen_;
};

// A group box holding one radio button per line of Items, laid out in Columns; ItemIndex is
// the checked one (-1 none). OnClick follows every change of the choice by the user.
class TCustomRadioGroup : public TCustomGroupBox {
  UI_CLASS_INFO
 public:
  explicit TCustomRadioGroup(TComponent* owner);
  ~TCustomRadioGroup() override;

  TStringList* Items() const { return items_.get(); }
  int ItemIndex() const;
  void SetItemIndex(int value);
  int Columns() const { return columns_; }
  void SetColumns(int value);
  // The radio button of line `index`.
  TRadioButton* Button(int index) const;
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }

  void SetBounds(int left, int top, int width, int height) override;

 private:
  void RebuildButtons();
  void ArrangeButtons();

  std::unique_ptr<TStringList> items_;
  std::vector<TRadioButton*> buttons_;  // owned as components of the group
  int columns_ = 1;
  int itemIndex_ = -1;  // kept while the buttons are rebuilt
};

class TRadioGroup : public TCustomRadioGroup {
  UI_CLASS_INFO
 public:
  explicit TRadioGroup(TComponent* owner);
};

class TCustomLabeledEdit;

// The label of a labelled edit: owned by the edit, placed by it, and on the same parent.
class TBoundLabel : public TCustomLabel {
  UI_CLASS_INFO
 public:
  explicit TBoundLabel(TCustomLabeledEdit* edit);

 protected:
  void AdjustBounds() override;

 private:
  TCustomLabeledEdit* edit_;
};

// An edit with a label beside it. The label keeps its place (LabelPosition, LabelSpacing
// pixels away) when the edit moves, and shares the edit's parent, visibility and enabled state.
class TCustomLabeledEdit : public TCustomEdit {
  UI_CLASS_INFO
 public:
  explicit TCustomLabeledEdit(TComponent* owner);

  TBoundLabel* EditLabel() const { return label_; }
  TLabelPosition LabelPosition() const { return labelPosition_; }
  void SetLabelPosition(TLabelPosition value);
  int LabelSpacing() const { return labelSpacing_; }
  void SetLabelSpacing(int value);

  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  // Moves the label to its place beside the edit.
  void PlaceLabel();

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TBoundLabel* label_ = nullptr;  // owned as a component: freed with the edit
  TLabelPosition labelPosition_ = lpAbove;
  int labelSpacing_ = 3;
};

class TLabeledEdit : public TCustomLabeledEdit {
  UI_CLASS_INFO
 public:
  explicit TLabeledEdit(TComponent* owner);
};

}  // namespace ui
