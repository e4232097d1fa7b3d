// The stored colour text on any input: either nothing or an index of the seven colours.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tray/colour_themes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto index = tray::ParseColourIndex(text);
  if (index && (*index < 0 || *index >= tray::kColourCount)) std::abort();
  if (index && tray::ParseColourIndex(std::to_string(*index)) != index) std::abort();
  return 0;
}
