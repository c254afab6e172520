// Step two: run the pattern over the sheet and list every distinct second capture.
#include <unordered_set>

#include "app/PatternSyntax.h"
#include "app/SheetAddress.h"
#include "app/Unit1.h"
#include "ui/SysUtils.h"

using namespace ui;

namespace {

std::wstring PatternGroupsProblem(const std::wstring& pattern, int groups) {
  return L"正则表达式只有 " + std::to_wstring(groups) + L" 个捕获分组，图片地址取自第 " +
         std::to_wstring(workflow::kImageGroup) + L" 个分组。表达式：" + pattern;
}

}  // namespace

void TForm1::btn2Click(TObject*) {
  mmo1->Lines()->Clear();
  RegExp1->SetGlobal(true);
  RegExp1->SetPattern(edt1->Text());
  RegExp1->SetIgnoreCase(true);
  // The image is the second capture: a pattern without one would find nothing, silently. A
  // pattern the engine refuses is named for that first.
  if (int groups = workflow::CapturingGroups(edt1->Text()); groups < workflow::kImageGroup) {
    RegExp1->Execute(L"");
    throw Exception(PatternGroupsProblem(edt1->Text(), groups));
  }
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
