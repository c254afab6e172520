// The gallery's layout: pages of groups of controls, each group a panel with a heading, placed
// on a grid of equal columns. Every family of controls adds its groups in a file of its own
// (Gallery<Family>.cpp) through one call per group; GalleryForm.cpp puts the families on pages.
#pragma once

#include <string>
#include <vector>

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace skinview {

// The grid: columns of equal width with gaps between the groups and around them.
inline constexpr int kColumnWidth = 300;
inline constexpr int kColumns = 3;
inline constexpr int kGap = 8;
// Inside a group: the heading on top, then the body, with this much space around the body.
inline constexpr int kPadding = 10;
inline constexpr int kBodyTop = 30;

// One group: a panel on a page with a bold heading. Controls go into its body, whose origin
// lies below the heading; the form owns them.
class TGalleryGroup {
 public:
  TGalleryGroup(ui::TForm& form, ui::TPanel& panel, int bodyWidth)
      : form_(form), panel_(panel), bodyWidth_(bodyWidth) {}

  ui::TForm& Form() const { return form_; }
  ui::TPanel& Panel() const { return panel_; }
  int BodyWidth() const { return bodyWidth_; }

  // A control made in the body at (left, top), owned by the form.
  template <class T>
  T* Add(int left, int top, int width, int height) {
    T* control = new T(&form_);
    control->SetParent(&panel_);
    control->SetBounds(kPadding + left, kBodyTop + top, width, height);
    return control;
  }
  // A control with a caption.
  template <class T>
  T* Add(int left, int top, int width, int height, const std::wstring& caption) {
    T* control = Add<T>(left, top, width, height);
    control->SetCaption(caption);
    return control;
  }
  // A transparent text in the body at (left, top), sized to fit.
  ui::TLabel* Text(int left, int top, const std::wstring& text);

 private:
  ui::TForm& form_;
  ui::TPanel& panel_;
  int bodyWidth_;
};

// The grid of one page (or of a whole form): groups go onto `parent`, owned by `form`.
class TGallery {
 public:
  explicit TGallery(ui::TForm& form) : TGallery(form, form) {}
  TGallery(ui::TForm& form, ui::TWinControl& parent)
      : form_(form), parent_(parent), bottoms_(kColumns, kGap) {}

  // A new group under `heading`, `columns` grid columns wide, its body `bodyHeight` pixels
  // high. It goes where the columns it spans end highest (the leftmost such place).
  TGalleryGroup AddGroup(const std::wstring& heading, int columns, int bodyHeight);
  // The size the groups take, a gap around them included.
  SIZE Extent() const;
  // Sizes the form's client area to hold every group.
  void FitForm();
  const std::vector<ui::TPanel*>& Groups() const { return groups_; }

 private:
  ui::TForm& form_;
  ui::TWinControl& parent_;
  std::vector<int> bottoms_;  // per column: where the next group may start
  std::vector<ui::TPanel*> groups_;
};

// The width of a group `columns` grid columns wide, and of its body.
constexpr int GroupWidth(int columns) { return columns * kColumnWidth + (columns - 1) * kGap; }
constexpr int BodyWidth(int columns) { return GroupWidth(columns) - 2 * kPadding; }

// The families of controls.
void AddButtonGroups(TGallery& gallery);  // push, glyph and speed buttons, check and radio
                                          // buttons, group boxes, radio groups, media player
void AddListGroups(TGallery& gallery);    // combo and list boxes, scroll bars, up-down, dates
void AddBarGroups(TGallery& gallery);     // progress and track bars
void AddEditGroups(TGallery& gallery);    // edits, labelled edits, memos
void AddStaticGroups(TGallery& gallery);  // labels, shapes, panels
void AddViewGroups(TGallery& gallery);    // list views, page and tab controls, tab sets, the
                                          // web browser
// The form's status bar with panels, along its bottom edge.
void AddStatusBar(ui::TForm& form);

}  // namespace skinview
