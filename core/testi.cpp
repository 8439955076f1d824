#include "core/testi.h"

#include <unordered_map>

#include "core/ambiente.h"
#include "core/testi_dati.h"

namespace core {
namespace {

const std::unordered_map<int, QString>& Catalogo() {
  static const std::unordered_map<int, QString> mappa = [] {
    std::unordered_map<int, QString> m;
    m.reserve(kNumeroVociTesto);
    for (int i = 0; i < kNumeroVociTesto; ++i) m[kVociTesto[i].id] = QString::fromUtf8(kVociTesto[i].testo);
    return m;
  }();
  return mappa;
}

}  // namespace

bool EsisteTesto(int id) { return Catalogo().count(id) != 0; }

QString EtichettaLingua(int k) {
  static const char* const kEtichette[kLingue] = {"it-IT", "en-GB",      "fr-FR", "de-DE", "es-ES",
                                                  "hu-HU", "el-GR",      "cs-CZ", "sv-SE", "ru-RU",
                                                  "pl-PL", "sr-Latn-RS", "hr-HR", "sl-SI", "fi-FI"};
  return QString::fromLatin1(kEtichette[k >= 0 && k < kLingue ? k : 1]);
}

QString Traduci(int id) {
  const auto& c = Catalogo();
  auto it = c.find(id);
  if (it != c.end()) return it->second;
  it = c.find(id - imp.BaseTesti + 300);
  return it != c.end() ? it->second : QString();
}

QString Testo(int n) { return Traduci(imp.BaseTesti + n); }

}  // namespace core
