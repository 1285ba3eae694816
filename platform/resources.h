#pragma once
// Named byte blocks built into the program, opened like read-only files with
// the path "embed::name" (open_read in files.h).

namespace pf {

// The bytes stay owned by the caller and unchanged for the whole run.
// 1 when added; 0 when the name is already registered (the first entry stays).
int register_resource(const char* name, const unsigned char* bytes, int size);

}  // namespace pf
