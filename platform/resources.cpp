#include "platform/resources.h"

#include <string>
#include <string_view>
#include <vector>

#include "platform/resource_store.h"

namespace pf {

namespace {

constexpr const char scheme[] = "embed";
constexpr size_t scheme_len = sizeof(scheme) - 1;

struct Entry {
  std::string name;
  const unsigned char* bytes;
  size_t size;
};

// Filled once at start-up, before anything is loaded; a handful of entries,
// so a plain list searched in order is enough.
std::vector<Entry>& store() {
  static std::vector<Entry> entries;
  return entries;
}

char lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

int register_resource(const char* name, const unsigned char* bytes, int size) {
  if (name == nullptr || size < 0 || (bytes == nullptr && size > 0)) return 0;
  for (const Entry& e : store())
    if (e.name == name) return 0;  // the first entry stays
  store().push_back(Entry{name, bytes, static_cast<size_t>(size)});
  return 1;
}

bool is_resource_path(const std::string& path) {
  if (path.size() < scheme_len + 2) return false;
  for (size_t i = 0; i < scheme_len; ++i)
    if (lower(path[i]) != scheme[i]) return false;
  return path[scheme_len] == ':' && path[scheme_len + 1] == ':';
}

bool find_resource(const std::string& path, ResourceBytes& out) {
  if (!is_resource_path(path)) return false;
  const std::string_view name = std::string_view(path).substr(scheme_len + 2);
  for (const Entry& e : store()) {
    if (e.name == name) {
      out.bytes = e.bytes;
      out.size = e.size;
      return true;
    }
  }
  return false;
}

}  // namespace pf
