// The gallery's menus: a main menu with sub-menus, checked, radio, disabled and glyph items,
// and a context menu on the form. Items are named (miOpen, miToolbar, ...) so that callers can
// reach them with FindComponent. File > Load skin... (miLoadSkin) is left for the form to
// handle.
#pragma once

#include "ui/Forms.h"

namespace skinview {

void AddGalleryMenus(ui::TForm& form);

}  // namespace skinview
