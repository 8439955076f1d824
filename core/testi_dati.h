// The text catalogue as compiled into the program (generated from data/texts).
#pragma once

namespace core {

struct VoceTesto {
  int id;
  const char* testo;  // UTF-8
};

extern const VoceTesto kVociTesto[];
extern const int kNumeroVociTesto;

}  // namespace core
