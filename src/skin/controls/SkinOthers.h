// The remaining skinners: progress bars, track bars, status bars, size grips, foreign check
// boxes and radio buttons that take glyph bitmaps through properties, and media-player button
// bars.
#pragma once

#include "skin/controls/SkinBars.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinObjImage.h"
