#pragma once
// The pictures and the font built into the program, as the build embedded
// them from this folder. Each entry is the file's exact bytes.
struct EmbeddedFile {
  const char* name;          // file name in assets/, e.g. "ship.png"
  const unsigned char* bytes;
  int size;
};
extern const EmbeddedFile embedded_files[];
extern const int embedded_file_count;

// Looks a file up by name; nullptr when the build has no such file.
const EmbeddedFile* find_embedded(const char* name);
