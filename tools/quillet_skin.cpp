#include <iostream>

#include "skin_tool.h"
#ifdef _WIN32
#include "gallery.h"
#endif

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
  if (!args.empty() && args[0] == "gallery" && args.size() <= 2)
    return quillet::gallery::RunGallery(args.size() == 2 ? args[1] : std::string(), std::cerr);
#endif
  return quillet::skintool::Run(args, std::cout, std::cerr);
}
