#include "play/effects.h"

std::vector<block_tag> block_list;
std::vector<trail_tag> trail_list;

int32_t block_tag::destroy_all() {
  block_list.clear();
  return 0;
}

int32_t trail_tag::destroy_all() {
  trail_list.clear();
  return 0;
}

int32_t clear_lists() {
  block_tag::destroy_all();
  trail_tag::destroy_all();
  return 0;
}
