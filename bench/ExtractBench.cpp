// Step two on generated style sheets of 1,000, 10,000 and 50,000 url() references, through
// the real window and the platform's regular-expression engine. Prints the time per size and
// its ratio to the 1,000 case: with linear growth the ratios follow the sizes (1, 10, 50).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/Unit1.h"

namespace {

std::string Sheet(int references) {
  std::string css;
  css.reserve(static_cast<size_t>(references) * 100);
  for (int i = 0; i < references; ++i) {
    css += ".item" + std::to_string(i) + " { background: #fff url(/images/set" + std::to_string(i % 97) +
           "/picture-" + std::to_string(i) + ".png) no-repeat 0 0; }\r\n";
  }
  return css;
}

double Analyse(TForm1& form, const std::string& css) {
  form.Memo1->Lines()->SetText(css);
  auto start = std::chrono::steady_clock::now();
  form.btn2Click(form.btn2);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  ui::Application->Initialize();
  TForm1 form(nullptr);
  std::printf("%12s %12s %12s %10s %10s\n", "references", "sheet bytes", "found", "seconds", "ratio");
  double base = 0;
  for (int n : {1000, 10000, 50000}) {
    std::string css = Sheet(n);
    double seconds = Analyse(form, css);
    if (n == 1000) base = seconds;
    std::printf("%12d %12zu %12d %10.3f %10.2f\n", n, css.size(), form.mmo1->Lines()->Count(), seconds,
                seconds / base);
  }
  return 0;
}
