#include <iostream>
#include <string>
#include <vector>

#include "Skinpack.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return skinpack::RunSkinpack(args, std::cout, std::cerr);
}
