#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/resource_store.h"

namespace pf {

namespace {

// A file on disk, opened for reading or for writing (never both: the
// best-score file is either read at start-up or rewritten at exit).
class FileStream final : public Stream {
 public:
  FileStream(std::FILE* file, bool writable) : file_(file), writable_(writable) {}
  ~FileStream() override { std::fclose(file_); }

  size_t read(void* buffer, size_t count) override {
    if (writable_ || count == 0) return 0;
    return std::fread(buffer, 1, count, file_);
  }
  size_t write(const void* buffer, size_t count) override {
    if (!writable_ || count == 0) return 0;
    return std::fwrite(buffer, 1, count, file_);
  }
  size_t size() override {
    if (writable_) std::fflush(file_);
    struct stat st;
    if (fstat(fileno(file_), &st) != 0 || st.st_size < 0) return 0;
    return static_cast<size_t>(st.st_size);
  }

 private:
  std::FILE* file_;
  bool writable_;
};

// An embedded resource: the program's own bytes, read in place, never written.
class MemoryStream final : public Stream {
 public:
  MemoryStream(const unsigned char* bytes, size_t size) : bytes_(bytes), size_(size) {}

  size_t read(void* buffer, size_t count) override {
    const size_t n = std::min(count, size_ - pos_);
    if (n > 0) std::memcpy(buffer, bytes_ + pos_, n);
    pos_ += n;
    return n;
  }
  size_t write(const void*, size_t) override { return 0; }
  size_t size() override { return size_; }

 private:
  const unsigned char* bytes_;
  size_t size_;
  size_t pos_ = 0;
};

// Only a plain file is a file here: fopen happily opens a folder, and on a
// pipe it would wait for a writer that may never come. The open does not
// wait; the stream then reads and writes as usual.
std::FILE* open_file(const std::string& path, const char* mode) {
  const int flags = mode[0] == 'r' ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC;
  const int fd = ::open(native_path(path).c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* f = ::fdopen(fd, mode);
  if (f == nullptr) ::close(fd);
  return f;
}

}  // namespace

int file_type(const std::string& path) {
  if (is_resource_path(path)) {
    ResourceBytes res;
    return find_resource(path, res) ? path_file : path_none;
  }
  struct stat st;
  if (stat(native_path(path).c_str(), &st) != 0) return path_none;
  if (S_ISDIR(st.st_mode)) return path_folder;
  return path_file;
}

int32_t Stream::read_int() {
  unsigned char b[4] = {0, 0, 0, 0};
  size_t got = 0;
  while (got < 4) {
    const size_t n = read(b + got, 4 - got);
    if (n == 0) break;
    got += n;
  }
  const uint32_t v = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                     static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
  return static_cast<int32_t>(v);
}

void Stream::write_int(int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16),
                              static_cast<unsigned char>(v >> 24)};
  write(b, 4);
}

StreamRef open_read(const std::string& path) {
  if (is_resource_path(path)) {
    ResourceBytes res;
    if (!find_resource(path, res)) return nullptr;
    return std::make_unique<MemoryStream>(res.bytes, res.size);
  }
  std::FILE* f = open_file(path, "rb");
  if (f == nullptr) return nullptr;
  return std::make_unique<FileStream>(f, false);
}

StreamRef open_write(const std::string& path) {
  if (is_resource_path(path)) return nullptr;  // resources are read-only
  std::FILE* f = open_file(path, "wb");
  if (f == nullptr) return nullptr;
  return std::make_unique<FileStream>(f, true);
}

bool read_all(const std::string& path, std::vector<unsigned char>& out) {
  out.clear();
  StreamRef s = open_read(path);
  if (!s) return false;
  // Read to the end rather than trusting the size: a file may change length
  // between the size query and the reads.
  out.resize(s->size());
  size_t got = 0;
  for (;;) {
    if (got == out.size()) out.resize(std::max<size_t>(4096, out.size() * 2));
    const size_t n = s->read(out.data() + got, out.size() - got);
    if (n == 0) break;
    got += n;
  }
  out.resize(got);
  return true;
}

std::string native_path(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}

void enter_program_folder(const char* argv0) {
  std::string exe;
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof(buf) - 1);
  if (n > 0 && n < static_cast<ssize_t>(sizeof(buf)) - 1) {  // a full buffer may be cut short
    exe.assign(buf, static_cast<size_t>(n));
  } else if (argv0 != nullptr) {
    exe = argv0;
  }
  const size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return;  // no folder known: stay where we are
  const std::string folder = slash == 0 ? "/" : exe.substr(0, slash);
  // A failure leaves the current folder as it was; the game then looks for
  // its data where it was started.
  if (chdir(folder.c_str()) != 0) return;
}

}  // namespace pf

namespace pf {

namespace {

std::string reason(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

bool make_folder(const std::string& path, std::string* error) {
  const std::string native = native_path(path);
  if (::mkdir(native.c_str(), 0777) == 0 || file_type(path) == path_folder) return true;
  if (error) *error = reason("cannot create the folder", native);
  return false;
}

bool replace_file(const std::string& path, const void* bytes, size_t count, std::string* error) {
  const std::string native = native_path(path);
  const std::string temp = native + ".new";
  // A temporary file left by a run that died mid-write may be read-only or
  // another user's: remove it and make a new one rather than write into it.
  ::unlink(temp.c_str());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (error) *error = reason("cannot write", temp);
    return false;
  }
  const char* p = static_cast<const char*>(bytes);
  size_t left = count;
  bool ok = true;
  while (ok && left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) {
      p += n;
      left -= static_cast<size_t>(n);
    }
  }
  ok = ok && ::fsync(fd) == 0;
  if (!ok && error) *error = reason("cannot write", temp);
  ::close(fd);
  if (ok && ::rename(temp.c_str(), native.c_str()) != 0) {
    if (error) *error = reason("cannot replace", native);
    ok = false;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // The rename itself lives in the folder: flush that too, so a power cut
  // cannot bring the old name back pointing nowhere.
  const size_t slash = native.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash);
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace pf
