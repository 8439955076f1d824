// A number as the record-set layer shows it: an integer without a decimal
// part, any other in its shortest exact form (for a single, the shortest
// that gives back the same single).  Standard library only: the Access
// reader uses it too.
#pragma once

#include <charconv>
#include <cmath>
#include <string>

namespace plat {

template <typename T>
std::string TestoNumero(T v) {
  char buf[64];
  if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15) {
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
    return std::string(buf, r.ptr);
  }
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

}  // namespace plat
