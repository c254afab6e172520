// A list of pictures of one size, kept by the system (an image list), for controls that show
// one of them by index: glyph buttons, tabs, menus.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <type_traits>

#include "ui/Canvas.h"
#include "ui/Component.h"

namespace ui {

class TCustomImageList : public TComponent {
  UI_CLASS_INFO
 public:
  explicit TCustomImageList(TComponent* owner, int width = 16, int height = 16);
  ~TCustomImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size empties the list.
  void SetSize(int width, int height);
  int Count() const;
  HIMAGELIST Handle() const { return list_.get(); }

  // Appends the pictures of `image` (as many as fit side by side, each Width wide); pixels of
  // `transparent` colour are left out when drawn. Answers the index of the first picture
  // added, -1 when none fits.
  int AddMasked(const TBitmap& image, TColor transparent);
  void Clear();

  // Draws picture `index` with its top-left corner at (x, y); nothing for an index out of range.
  void Draw(HDC dc, int x, int y, int index) const;
  void Draw(TCanvas& canvas, int x, int y, int index) const { Draw(canvas.Handle(), x, y, index); }

 private:
  struct TDestroy {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
  };
  void Create();

  int width_, height_;
  std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, TDestroy> list_;
};

}  // namespace ui
