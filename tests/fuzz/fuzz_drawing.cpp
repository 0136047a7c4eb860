// Any bytes as a hero-skin drawing: the drawing's check must read them in
// bounded time and answer with findings (never a crash), refusing anything
// that reaches outside the drawing.
#include <unistd.h>

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "tools/skin/skin_build.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/hero-fuzz-drawing-" + std::to_string(getpid()) + ".svg";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
  const auto findings = hero::skinkit::check_drawing(QString::fromStdString(path));
  for (const auto& finding : findings)
    if (finding.message.empty()) __builtin_trap();
  return 0;
}
