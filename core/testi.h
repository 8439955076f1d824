// The text catalogue: fifteen language blocks compiled into the program.
// Text n of language k has the id (2 k + 1) * 100 + n.
#pragma once

#include <QString>

namespace core {

constexpr int kLingue = 15;

// The text of an id; a text missing in the current block is taken from the
// English block (id - BaseTesti + 300); missing there too, the empty text.
QString Traduci(int id);
// Text n of the current language.
QString Testo(int n);
// Whether the catalogue holds the id (no fallback).
bool EsisteTesto(int id);
// The language tag of block k ("it-IT", "en-GB" ...), as documents mark
// their text's language.
QString EtichettaLingua(int k);

}  // namespace core
