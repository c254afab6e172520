// Step two: run the pattern over the sheet and list every distinct second capture.
#include <unordered_set>

#include "app/SheetAddress.h"
#include "app/Unit1.h"
#include "ui/SysUtils.h"

using namespace ui;

void TForm1::btn2Click(TObject*) {
  mmo1->Lines()->Clear();
  RegExp1->SetGlobal(true);
  RegExp1->SetPattern(edt1->Text());
  RegExp1->SetIgnoreCase(true);
  // The list is built beside the memo and shown in one change; an engine error part way shows
  // the list as far as it got. Each image is listed once, as the sheet first writes it: whole
  // addresses are compared (without the quotes the sheet may put around them), so "a.gif" is
  // an image of its own after "img/a.gif", and 'a.gif' the same image as a.gif. Empty
  // captures name no image and are all listed, as found.
  TStringList found;
  std::unordered_set<std::string> listed;
  auto show = [&] {
    if (found.Count() > 0) mmo1->Lines()->Assign(found);
  };
  try {
    RegExp1->Execute(FromAnsi(Memo1->Lines()->Text()), [&](const app::TRegExpMatch& match) {
      for (size_t k = 0; k < match.SubMatches.size(); ++k) {
        if (k != 1) continue;  // only the second group names the image
        std::string candidate = ToAnsi(match.SubMatches[k]);
        std::string address(workflow::InnerAddress(candidate));
        if (!address.empty() && !listed.insert(address).second) continue;
        found.Add(candidate);
      }
    });
  } catch (...) {
    show();
    throw;
  }
  show();
}

void TForm1::mmo1Change(TObject*) {
  lbl3->SetCaption(L"共 " + std::to_wstring(mmo1->Lines()->Count()) + L" 个图片");
}
