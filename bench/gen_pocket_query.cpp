// SPDX-License-Identifier: GPL-3.0-or-later
// quillmark-gen-pq CACHES OUT.gpx [--seed N] [--children EVERY] [--logs N] [--desc BYTES]
#include <cstdlib>
#include <iostream>
#include <string>

#include "PocketQuery.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: quillmark-gen-pq CACHES OUT.gpx [--seed N] [--children EVERY] [--logs N] [--desc BYTES]\n";
    return 2;
  }
  quill::bench::PocketQueryOptions o;
  o.caches = std::atoi(argv[1]);
  std::string out = argv[2];
  for (int i = 3; i + 1 < argc; i += 2) {
    std::string a = argv[i];
    int v = std::atoi(argv[i + 1]);
    if (a == "--seed")
      o.seed = static_cast<std::uint32_t>(v);
    else if (a == "--children")
      o.childEvery = v;
    else if (a == "--logs")
      o.logsPerCache = v;
    else if (a == "--desc")
      o.descriptionBytes = v;
    else {
      std::cerr << "unknown option " << a << "\n";
      return 2;
    }
  }
  if (!quill::bench::WritePocketQuery(out, o)) {
    std::cerr << "cannot write " << out << "\n";
    return 1;
  }
  return 0;
}
