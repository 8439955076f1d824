#include "catalogue/catalogo.h"

#include <QCoreApplication>
#include <QString>

#include <cmath>
#include <limits>
#include <vector>

#include "catalogue/serie.h"
#include "platform/lista_voci.h"
#include "platform/messaggi.h"
#include "platform/recordset.h"

namespace catalogo {
namespace {

using interno::Campo;
using interno::DefinizioneSerie;
using plat::ErroreDatabase;
using plat::Valore;

plat::Database* g_database = nullptr;
bool g_in_corso = false;

// Calls f with the member pointer of a field.
template <typename F>
void ConMembro(Campo c, F&& f) {
  switch (c) {
    case Campo::Modello:
      f(&DatiModello::Modello);
      break;
    case Campo::ModDescri:
      f(&DatiModello::ModDescri);
      break;
    case Campo::Geom:
      f(&DatiModello::Geom);
      break;
    case Campo::Passo:
      f(&DatiModello::Passo);
      break;
    case Campo::LunBat:
      f(&DatiModello::LunBat);
      break;
    case Campo::AltBat:
      f(&DatiModello::AltBat);
      break;
    case Campo::NR:
      f(&DatiModello::NR);
      break;
    case Campo::NC:
      f(&DatiModello::NC);
      break;
    case Campo::VentA:
      f(&DatiModello::VentA);
      break;
    case Campo::VentB:
      f(&DatiModello::VentB);
      break;
    case Campo::VentC:
      f(&DatiModello::VentC);
      break;
    case Campo::C100:
      f(&DatiModello::C100);
      break;
    case Campo::FC30:
      f(&DatiModello::FC30);
      break;
    case Campo::CC30:
      f(&DatiModello::CC30);
      break;
    case Campo::FCC50:
      f(&DatiModello::FCC50);
      break;
    case Campo::CCC50:
      f(&DatiModello::CCC50);
      break;
    case Campo::LWA:
      f(&DatiModello::LWA);
      break;
    case Campo::PIN:
      f(&DatiModello::PIN);
      break;
    case Campo::LWAIn:
      f(&DatiModello::LWAIn);
      break;
    case Campo::LWAOut:
      f(&DatiModello::LWAOut);
      break;
    case Campo::PA:
      f(&DatiModello::PA);
      break;
    case Campo::PB:
      f(&DatiModello::PB);
      break;
    case Campo::PC:
      f(&DatiModello::PC);
      break;
    case Campo::G:
      f(&DatiModello::G);
      break;
    case Campo::MinQa:
      f(&DatiModello::MinQa);
      break;
    case Campo::Sezione:
      f(&DatiModello::Sezione);
      break;
    case Campo::Bocche:
      f(&DatiModello::Bocche);
      break;
    case Campo::Nlog:
      f(&DatiModello::Nlog);
      break;
    case Campo::EspAriaModello:
      f(&DatiModello::EspAriaModello);
      break;
  }
}

// Conversions of a column value to the field's type.  Integers are rounded
// to the nearest, a half to the even neighbour.
template <typename T>
T Intero(const Valore& v) {
  const double x = std::nearbyint(v.ComeNumero());
  if (!(x >= std::numeric_limits<T>::min() && x <= std::numeric_limits<T>::max()))
    throw ErroreDatabase("the value " + v.ComeTesto() + " is out of range");
  return static_cast<T>(x);
}

void Assegna(std::string& x, const Valore& v) { x = v.ComeTesto(); }
void Assegna(std::int16_t& x, const Valore& v) { x = Intero<std::int16_t>(v); }
void Assegna(std::int32_t& x, const Valore& v) { x = Intero<std::int32_t>(v); }
void Assegna(float& x, const Valore& v) {
  const auto f = static_cast<float>(v.ComeNumero());
  if (!std::isfinite(f)) throw ErroreDatabase("the value " + v.ComeTesto() + " is out of range");
  x = f;
}
template <typename T, std::size_t N>
void Assegna(std::array<T, N>& a, int indice, const Valore& v) {
  Assegna(a.at(static_cast<std::size_t>(indice)), v);
}
template <typename T>
void Assegna(T& x, int, const Valore& v) {
  Assegna(x, v);
}

struct Occupato {
  Occupato() { g_in_corso = true; }
  ~Occupato() { g_in_corso = false; }
};

std::string Voce(const DefinizioneSerie& d, const std::string& modello) {
  const std::string& s = d.suffisso;
  if (!s.empty() && modello.size() >= s.size() &&
      modello.compare(modello.size() - s.size(), s.size(), s) == 0)
    return kSeparatore;
  return modello;
}

// Throws, naming them, when columns of the map are missing.
void ControllaColonne(const plat::RecordSet& rs, const std::string& tabella,
                      const std::vector<std::string>& nomi) {
  std::string mancanti;
  int n = 0;
  for (const std::string& nome : nomi)
    if (!rs.HaCampo(nome)) {
      if (++n <= 5) mancanti += (mancanti.empty() ? "" : ", ") + nome;
    }
  if (n > 5) mancanti += " and " + std::to_string(n - 5) + " more";
  if (n > 0) throw ErroreDatabase("the table " + tabella + " has no column " + mancanti);
}

std::string TestoValore(const plat::RecordSet& rs, const std::string& colonna) {
  return rs.Campo(colonna).ComeTesto();
}

std::vector<DatiModello> LeggiModelli(const DefinizioneSerie& d, const std::string& tabella,
                                      std::vector<std::string>& avvisi) {
  auto rs = g_database->OpenRecordset("select * from " + tabella);
  std::vector<std::string> nomi;
  for (const auto& c : d.colonne) nomi.push_back(c.nome);
  ControllaColonne(*rs, tabella, nomi);
  std::vector<DatiModello> modelli;
  int righe = 0;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    if (++righe > d.capacita) continue;
    DatiModello m;
    for (const auto& c : d.colonne) {
      try {
        ConMembro(c.campo, [&](auto membro) { Assegna(m.*membro, c.indice, rs->Campo(c.nome)); });
      } catch (const ErroreDatabase& e) {
        throw ErroreDatabase("the table " + tabella + ", row " + std::to_string(righe) + " (" +
                             TestoValore(*rs, "Modello") + "), column " + c.nome + ": " + e.what());
      }
    }
    modelli.push_back(std::move(m));
  }
  if (righe > d.capacita)
    avvisi.push_back("The table " + tabella + " holds " + std::to_string(righe) + " models: only the first " +
                     std::to_string(d.capacita) + " are loaded.");
  return modelli;
}

std::vector<AccessorioDP> LeggiAccessori(const std::string& tabella, std::vector<std::string>& avvisi) {
  auto rs = g_database->OpenRecordset("select * from " + tabella);
  ControllaColonne(*rs, tabella, {"Cost", "Espo", "OPZBoc"});
  std::vector<AccessorioDP> accessori;
  int righe = 0;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    if (++righe > kUltimoAccessorio) continue;
    AccessorioDP a;
    try {
      Assegna(a.Cost, rs->Campo("Cost"));
      Assegna(a.Espo, rs->Campo("Espo"));
      Assegna(a.OPZBoc, rs->Campo("OPZBoc"));
    } catch (const ErroreDatabase& e) {
      throw ErroreDatabase("the table " + tabella + ", row " + std::to_string(righe) + ": " + e.what());
    }
    accessori.push_back(std::move(a));
  }
  if (righe > kUltimoAccessorio)
    avvisi.push_back("The table " + tabella + " holds " + std::to_string(righe) +
                     " accessories: only the first " + std::to_string(kUltimoAccessorio) + " are loaded.");
  return accessori;
}

// The one loading routine of the seven series.  The whole table is read and
// checked before the loaded series changes, so a failed load leaves an
// empty series, never a half-filled one.
bool Carica(const DefinizioneSerie& d, plat::ListaVoci& lista, bool flagDistrict,
            const std::string& testoTutto) {
  if (g_in_corso) return false;
  Occupato occupato;
  CatalogoSerie& cat = Catalogo();

  // Every field of the series is emptied; the other families' stay.
  for (DatiModello& m : cat.Modelli)
    for (Campo c : d.ricreati) ConMembro(c, [&](auto membro) { m.*membro = {}; });
  cat.NModelli = 0;
  const bool con_accessori = !d.tabella_accessori.empty();
  if (con_accessori) {
    cat.Accessori = {};
    cat.NAcc = 0;
  }

  std::vector<std::string> avvisi;
  std::vector<DatiModello> modelli;
  std::vector<AccessorioDP> accessori;
  const std::string tabella = d.tabella + (flagDistrict ? "_DC" : "");
  try {
    if (!g_database) throw ErroreDatabase("the product database is not open");
    modelli = LeggiModelli(d, tabella, avvisi);
    if (con_accessori) accessori = LeggiAccessori(d.tabella_accessori, avvisi);
  } catch (const ErroreDatabase& e) {
    lista.Svuota();
    lista.Aggiungi(testoTutto);
    lista.Seleziona(0);
    plat::MsgBox(QString::fromStdString("The series " + std::string(d.serie.codice) +
                                        " cannot be loaded: " + e.what() + "."),
                 plat::Icona::Esclamativa);
    return false;
  }

  lista.Svuota();
  lista.Aggiungi(testoTutto);
  for (std::size_t i = 0; i < modelli.size(); ++i) {
    DatiModello& riga = cat.Modelli[i + 1];
    for (Campo c : d.ricreati)
      ConMembro(c, [&](auto membro) { riga.*membro = std::move(modelli[i].*membro); });
    lista.Aggiungi(Voce(d, riga.Modello));
  }
  cat.NModelli = static_cast<std::int16_t>(modelli.size());
  lista.Seleziona(0);
  if (con_accessori) {
    for (std::size_t i = 0; i < accessori.size(); ++i) cat.Accessori[i + 1] = std::move(accessori[i]);
    cat.NAcc = static_cast<std::int16_t>(accessori.size());
  }
  if (!avvisi.empty()) {
    std::string testo;
    for (const auto& a : avvisi) testo += (testo.empty() ? "" : "\n") + a;
    plat::MsgBox(QString::fromStdString(testo));
  }
  return true;
}

}  // namespace

CatalogoSerie& Catalogo() {
  static CatalogoSerie catalogo;
  return catalogo;
}

void ImpostaDatabase(plat::Database* db) { g_database = db; }
bool CaricamentoInCorso() { return g_in_corso; }

bool CaricaDati(const Serie& s, plat::ListaVoci& l, bool district, const std::string& tutto) {
  return Carica(interno::Definizione(s.id), l, district, tutto);
}

namespace {
bool CaricaCodice(Codice c, plat::ListaVoci& l, bool district, const std::string& tutto) {
  return CaricaDati(Descrittore(c), l, district, tutto);
}
}  // namespace

bool CaricaDatiKALVO(plat::ListaVoci& l, bool d, const std::string& t) {
  return CaricaCodice(Codice::KALVO, l, d, t);
}
bool CaricaDatiKALVOP(plat::ListaVoci& l, bool d, const std::string& t) {
  return CaricaCodice(Codice::KALVOP, l, d, t);
}
bool CaricaDatiRMB(plat::ListaVoci& l, bool d, const std::string& t) {
  return CaricaCodice(Codice::RMB, l, d, t);
}
bool CaricaDatiDVK(plat::ListaVoci& l, bool d, const std::string& t) {
  return CaricaCodice(Codice::DVK, l, d, t);
}
bool CaricaDatiKALVOEC(plat::ListaVoci& l, bool d, const std::string& t) {
  return CaricaCodice(Codice::KALVOEC, l, d, t);
}
bool CaricaDatiRMBBLDC(plat::ListaVoci& l, bool d, const std::string& t) {
  return CaricaCodice(Codice::RMBBLDC, l, d, t);
}
bool CaricaDatiDVKBLDC(plat::ListaVoci& l, bool d, const std::string& t) {
  return CaricaCodice(Codice::DVKBLDC, l, d, t);
}

}  // namespace catalogo
