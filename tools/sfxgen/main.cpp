// sfxgen OUTPUT_DIR: synthesises the game's eighteen sounds into OUTPUT_DIR.
#include <cstdio>
#include <filesystem>
#include <string>

#include "bank.h"
#include "finish.h"
#include "ogg_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sfxgen OUTPUT_DIR\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) {
    std::fprintf(stderr, "sfxgen: cannot create %s: %s\n", argv[1], error.message().c_str());
    return 1;
  }
  // Serial numbers are fixed per file: together with fixed seeds they make
  // every build write the same bytes.
  int serial = 0x45415200;
  for (const sfxgen::Entry& entry : sfxgen::Bank()) {
    std::string why;
    const std::string path = (dir / entry.file).string();
    if (!sfxgen::WriteOgg(path, sfxgen::Finish(entry.make(), entry.level_db), ++serial, &why)) {
      std::fprintf(stderr, "sfxgen: %s\n", why.c_str());
      return 1;
    }
  }
  return 0;
}
