// Writes the seed corpus of the settings fuzzer into the folder named by the
// only argument: ini texts as the program writes them, and damaged ones for
// each check of the settings and placement readers.
#include <cstdio>
#include <fstream>
#include <string>

#include "storage/placement.h"
#include "storage/settings.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: settings_seeds FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::string placement =
      zv::FormatPlacement(zv::WindowPlacement{100, 200, 648, 507, false}, zv::FrameMetrics{4, 4, 23});
  const std::string opt = std::string("[") + zv::kOptSection + "]\n";
  const std::string window = std::string("[") + zv::kMainWindowSection + "]\n" + zv::kPlacementKey + "=";

  // clang-format off
  const std::pair<const char*, std::string> seeds[] = {
      {"written.ini",      opt + "TaskFile=/home/u/Current.zvt\nNumbers=1\nLinks=0\nPrevLayer=1\nNextLayer=0\n"
                           "ShowText=1\nColor=255\n" + window + placement + "\n[Numbers]\nWinPosition=10,20,200,300,0\n"
                           "[Text]\nWinPosition=30,40,400,200,1\n"},
      {"empty.ini",        ""},
      {"blanks.ini",       opt + "Numbers= +7 \nColor=\t16777215\t\nTaskFile=\n"},
      {"by_hand.ini",      opt + "Threads= +3 \nNumbers=1\n"},
      {"out_of_range.ini", opt + "Color=16777216\nLinks=2147483648\nNumbers=-2147483648\n"},
      {"not_numbers.ini",  opt + "Numbers=yes\nColor=0x00FF00\nShowText=1.5\n"},
      {"few_items.ini",    window + "1,2,3,4\n"},
      {"extra_items.ini",  window + "1,2,3,4,1,junk,7\n"},
      {"off_desktop.ini",  window + "-100000,-100000,10,10,0\n"},
      {"overflow.ini",     window + "0,2147483647,2147483647,2147483647,0\n"},
      {"no_size.ini",      window + "0,0,-8,-50,0\n"},
  };
  // clang-format on
  bool ok = true;
  for (const auto& [name, text] : seeds) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out << text;
    if (!out.flush()) {
      std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), name);
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
