// TFramePainter: paints a skinned frame from the skin: the four border strips, the title bar
// with the caption text, the icon and the caption buttons. The composed border strips are kept
// until the size, the active look or the skin changes, so are the caption buttons' pictures in
// each state, made ready for drawing with their key colour left out, and the title bar is composed in one
// off-screen buffer kept between paints, so that a repaint only copies what is ready.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/CaptionButtonStrip.h"
#include "skin/frame/FrameGeometry.h"
#include "ui/DrawingScopes.h"
#include "ui/Graphics.h"

namespace skin {

// The frame of a border picture that is painted: 1 (the active look) when the window is
// active or the picture has a single frame, 2 (the inactive look) otherwise.
int BorderFrameIndex(bool active, int frameCount);

// What the painter needs of the frame it paints.
class TFramePaintHost {
 public:
  // The window whose frame is painted.
  virtual HWND PaintWindow() const = 0;
  // The skin the frame holds, or none; loaded whenever the painter is asked to paint.
  virtual TSkinData* PaintSkin() const = 0;
  // The border definition of the skin, or none.
  virtual const TDataSkinObject* PaintBorder(TBorderPart part) const = 0;
  // Whether the frame shows its active look.
  virtual bool PaintActive() const = 0;
  // The caption buttons as laid out for the present size.
  virtual const TCaptionButtonStrip::TButtons& PaintButtons() const = 0;

 protected:
  ~TFramePaintHost() = default;
};

class TFramePainter {
 public:
  TFramePainter(const TFramePaintHost& host, const TFrameGeometry& geometry)
      : host_(host), geometry_(geometry) {}
  TFramePainter(const TFramePainter&) = delete;
  TFramePainter& operator=(const TFramePainter&) = delete;

  // The strip of a border composed to `width` x `height` as it is painted, or none.
  std::unique_ptr<ui::TBitmap> ComposeBorder(TBorderPart part, int width, int height) const;
  // The strip as ComposeBorder makes it, kept until the size, the look or the skin changes.
  ui::TBitmap* BorderStrip(TBorderPart part, int width, int height);
  // Forgets the kept strips and button pictures: the skin or the geometry changed.
  void DropStrips();

  // The side and bottom borders of a window `width` x `height` (not for a minimized one).
  void PaintBorders(HDC dc, int width, int height);
  // The title bar of a window `width` x `height`, composed off-screen and copied in one piece;
  // a minimized window's is plain button face with the caption and its buttons.
  void PaintTitle(HDC dc, int width, int height, bool minimized);

  // The icon the icon buttons show when the window has none (see TWinSkinForm::IconBitmap).
  ui::TBitmap* IconBitmap() const { return iconBitmap_.get(); }
  void PrepareIcon();

 private:
  void DrawCaptionText(HDC dc, int width);
  void DrawCaptionButtons(HDC dc);
  void DrawIcon(HDC dc, const RECT& bounds);

  // A caption button's frames, each stretched to width x height side by side, ready to be
  // drawn.
  const TKeyedPicture& ButtonPicture(const TDataSkinSysButton& def, int width, int height);

  struct TButtonPicture {
    const TDataSkinSysButton* definition = nullptr;
    int width = 0, height = 0;
    std::unique_ptr<TKeyedPicture> picture;
  };
  struct TStrip {
    const TDataSkinObject* border = nullptr;
    int width = 0, height = 0, frame = 0;
    std::unique_ptr<ui::TBitmap> bitmap;
  };

  const TFramePaintHost& host_;
  const TFrameGeometry& geometry_;
  TStrip strips_[4];  // by part, from bpLeft
  std::vector<TButtonPicture> buttonPictures_;
  ui::TOffscreenBuffer titleBuffer_;
  std::unique_ptr<ui::TBitmap> iconBitmap_;
};

}  // namespace skin
