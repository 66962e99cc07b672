#include <iostream>

#include "skin_tool.h"

int main(int argc, char** argv) {
  return quillet::skintool::Run({argv + 1, argv + argc}, std::cout, std::cerr);
}
