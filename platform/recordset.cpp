// The record-set layer: values, the engine chosen by the file's content, and
// the record set that holds rows read at once.
#include "platform/recordset.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>

#include "platform/recordset_interno.h"
#include "platform/testo_numero.h"

namespace plat {

// ---- Valore ------------------------------------------------------------

Valore Valore::Numero(double v) {
  Valore r;
  r.tipo_ = Tipo::Numero;
  r.numero_ = v;
  return r;
}

Valore Valore::NumeroSingolo(float v) {
  Valore r = Numero(v);
  r.singolo_ = true;
  return r;
}

Valore Valore::Testo(std::string s) {
  Valore r;
  r.tipo_ = Tipo::Testo;
  r.testo_ = std::move(s);
  return r;
}

double Valore::ComeNumero() const {
  switch (tipo_) {
    case Tipo::Null:
      return 0;
    case Tipo::Numero:
      return numero_;
    case Tipo::Testo:
      break;
  }
  std::string_view t = testo_;
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  if (t.empty()) return 0;
  if (t.front() == '+') t.remove_prefix(1);
  double v = 0;
  auto [fine, errore] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (errore != std::errc() || fine != t.data() + t.size() || !std::isfinite(v))
    throw ErroreDatabase("\"" + testo_ + "\" is not a number");
  return v;
}

std::string Valore::ComeTesto() const {
  switch (tipo_) {
    case Tipo::Null:
      return {};
    case Tipo::Testo:
      return testo_;
    case Tipo::Numero:
      break;
  }
  return singolo_ ? TestoNumero(static_cast<float>(numero_)) : TestoNumero(numero_);
}

// ---- Database ----------------------------------------------------------

std::unique_ptr<Database> Database::Apri(const std::string& percorso, const std::string& connect) {
  // The connect text carries the database password.  SQLite files have
  // none, and an Access password does not encrypt the data that mdbtools
  // reads, so it is not needed to read either kind.
  (void)connect;
  std::ifstream file(percorso, std::ios::binary);
  if (!file) throw ErroreDatabase("Cannot open the database " + percorso);
  char testa[32] = {};
  file.read(testa, sizeof testa);
  const auto letti = file.gcount();
  if (letti >= 16 && std::memcmp(testa, "SQLite format 3", 16) == 0)  // 16 bytes: the final NUL too
    return interno::ApriSqlite(percorso);
  if (letti >= 19 && (std::memcmp(testa + 4, "Standard Jet DB", 15) == 0 ||
                      std::memcmp(testa + 4, "Standard ACE DB", 15) == 0))
    return interno::ApriJet(percorso);
  throw ErroreDatabase(percorso + " is not a database");
}

namespace interno {

// ---- Names -------------------------------------------------------------

bool NomiUguali(std::string_view a, std::string_view b) {
  bool ascii = true;
  for (unsigned char c : a) ascii = ascii && c < 0x80;
  for (unsigned char c : b) ascii = ascii && c < 0x80;
  if (ascii) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
      if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
      if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
      if (x != y) return false;
    }
    return true;
  }
  return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()))
             .compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())), Qt::CaseInsensitive) ==
         0;
}

// ---- RecordSetMemoria --------------------------------------------------

RecordSetMemoria::RecordSetMemoria(std::vector<std::string> colonne, std::vector<std::vector<Valore>> righe)
    : colonne_(std::move(colonne)), righe_(std::move(righe)) {}

void RecordSetMemoria::MoveFirst() {
  if (chiuso_) throw ErroreDatabase("The record set is closed");
  posizione_ = 0;
}

void RecordSetMemoria::MoveNext() {
  if (Eof()) throw ErroreDatabase("No current record");
  ++posizione_;
}

bool RecordSetMemoria::Eof() const { return chiuso_ || posizione_ >= righe_.size(); }

int RecordSetMemoria::IndiceColonna(std::string_view nome) const {
  for (std::size_t i = 0; i < colonne_.size(); ++i)
    if (NomiUguali(colonne_[i], nome)) return static_cast<int>(i);
  return -1;
}

Valore RecordSetMemoria::Campo(std::string_view nome) const {
  const int i = IndiceColonna(nome);
  if (i < 0) throw ErroreDatabase("Unknown column " + std::string(nome));
  if (Eof()) throw ErroreDatabase("No current record");
  return righe_[posizione_][static_cast<std::size_t>(i)];
}

bool RecordSetMemoria::HaCampo(std::string_view nome) const { return IndiceColonna(nome) >= 0; }

void RecordSetMemoria::Filtra(const std::function<bool(const std::vector<Valore>& riga)>& tiene) {
  std::erase_if(righe_, [&](const std::vector<Valore>& riga) { return !tiene(riga); });
  posizione_ = 0;
}

void RecordSetMemoria::Close() {
  chiuso_ = true;
  righe_.clear();
}

}  // namespace interno
}  // namespace plat
