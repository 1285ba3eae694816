#pragma once
// Files beside the program and embedded resources, as byte streams.
// Game paths use "\" as the folder separator ("data\hiscore.dat"); they are
// relative to the program's folder, which is the current directory.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pf {

constexpr int path_none = 0, path_file = 1, path_folder = 2;
int file_type(const std::string& path);  // what is at the path

class Stream {
 public:
  virtual ~Stream() = default;
  virtual size_t read(void* buffer, size_t count) = 0;  // bytes actually read
  virtual size_t write(const void* buffer, size_t count) = 0;
  virtual size_t size() = 0;
  // 32-bit integers, least significant byte first. A read that meets the end
  // of the stream keeps the bytes it got; the missing high bytes are 0.
  int32_t read_int();
  void write_int(int32_t value);
};
using StreamRef = std::unique_ptr<Stream>;

// nullptr when the path cannot be opened. Paths "embed::name" (scheme in any
// letter case) open an embedded resource, read-only.
StreamRef open_read(const std::string& path);
StreamRef open_write(const std::string& path);  // created, or cut to length 0

// The whole of a file or resource; false when it cannot be read.
bool read_all(const std::string& path, std::vector<unsigned char>& out);

// "data\hiscore.dat" -> "data/hiscore.dat" on this system.
std::string native_path(const std::string& path);

// Creates a folder when nothing is at the path; true when a folder is there
// afterwards, otherwise false with the reason.
bool make_folder(const std::string& path, std::string* error);

// Replaces a file's whole content so that at every moment the path holds
// either the old content or the new, whole: written to a temporary file in
// the same folder, flushed to disk, then renamed over it. False with the
// reason when that fails; the old file is then untouched.
bool replace_file(const std::string& path, const void* bytes, size_t count, std::string* error);

// Makes the folder holding the running program the current directory.
void enter_program_folder(const char* argv0);

}  // namespace pf
