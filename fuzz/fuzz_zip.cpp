// SPDX-License-Identifier: GPL-3.0-or-later
// ZIP reader under any bytes: the archive checks, the unpacking held to the
// headers' claims while every GPX and LOC entry is read, and a refused
// archive taking back every waypoint it added.
#include <cstdint>

#include "FuzzSupport.h"
#include "formats/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quill::fuzz::ReadWithInputChosenOptions(&quill::ReadZipFile, data, size);
  return 0;
}
