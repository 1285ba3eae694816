#pragma once
// How files.cpp finds an embedded resource behind a path "embed::name".
#include <cstddef>
#include <string>

namespace pf {

struct ResourceBytes {
  const unsigned char* bytes = nullptr;
  size_t size = 0;
};

// True when the path uses the resource scheme (any letter case), whether or
// not the name is registered: such a path never reaches the disk.
bool is_resource_path(const std::string& path);

// The registered bytes for a resource path; false when the path is not a
// resource path or the name (matched exactly, letter case included) is unknown.
bool find_resource(const std::string& path, ResourceBytes& out);

}  // namespace pf
