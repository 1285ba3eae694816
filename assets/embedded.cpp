#include "assets/embedded.h"

#include <cstring>

const EmbeddedFile* find_embedded(const char* name) {
  for (int i = 0; i < embedded_file_count; ++i)
    if (std::strcmp(embedded_files[i].name, name) == 0) return &embedded_files[i];
  return nullptr;
}
