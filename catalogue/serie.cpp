#include "catalogue/serie.h"

namespace catalogo::interno {
namespace {

using C = Campo;

class Colonne {
 public:
  Colonne& Aggiungi(std::string nome, Campo campo, int indice = 0) {
    v_.push_back({std::move(nome), campo, indice});
    return *this;
  }
  // Modello, the description (spelled as the table spells it) and the coil.
  Colonne& Testa(const char* descrizione) {
    return Aggiungi("Modello", C::Modello)
        .Aggiungi(descrizione, C::ModDescri)
        .Aggiungi("Geom", C::Geom)
        .Aggiungi("Passo", C::Passo)
        .Aggiungi("LunBat", C::LunBat)
        .Aggiungi("AltBAt", C::AltBat)
        .Aggiungi("NR", C::NR)
        .Aggiungi("NC", C::NC);
  }
  // V{s}A, V{s}B, V{s}C, speed by speed.
  Colonne& Ventilatore(int da, int a) {
    for (int s = da; s <= a; ++s)
      Aggiungi("V" + std::to_string(s) + "A", C::VentA, s)
          .Aggiungi("V" + std::to_string(s) + "B", C::VentB, s)
          .Aggiungi("V" + std::to_string(s) + "C", C::VentC, s);
    return *this;
  }
  // P{c}A, P{c}B, P{c}C, then G0..G7.
  Colonne& MotoreEC() {
    for (int c = 0; c <= 7; ++c)
      Aggiungi("P" + std::to_string(c) + "A", C::PA, c)
          .Aggiungi("P" + std::to_string(c) + "B", C::PB, c)
          .Aggiungi("P" + std::to_string(c) + "C", C::PC, c);
    for (int c = 0; c <= 7; ++c) Aggiungi("G" + std::to_string(c), C::G, c);
    return *this;
  }
  // The coil coefficients of the mixed-air tables (one set, k = 1).
  Colonne& CoeffMiscela() {
    return Aggiungi("C100", C::C100, 1)
        .Aggiungi("CC30", C::CC30, 1)
        .Aggiungi("FC30", C::FC30, 1)
        .Aggiungi("FCC50", C::FCC50)
        .Aggiungi("CCC50", C::CCC50);
  }
  // One column per speed: prefix{s}.
  Colonne& PerVelocita(const std::string& prefisso, Campo campo, int da, int a) {
    for (int s = da; s <= a; ++s) Aggiungi(prefisso + std::to_string(s), campo, s);
    return *this;
  }
  std::vector<Colonna> Fine() { return std::move(v_); }

 private:
  std::vector<Colonna> v_;
};

// The fan-coil tables: coil coefficients per speed.
std::vector<Colonna> ColonneKalvo(int velocita) {
  Colonne c;
  c.Testa("Mod_Descri").Ventilatore(1, velocita);
  for (int s = 1; s <= velocita; ++s) {
    const std::string n = std::to_string(s);
    c.Aggiungi("F" + n + "C100", C::C100, s)
        .Aggiungi("C" + n + "C30", C::CC30, s)
        .Aggiungi("F" + n + "C30", C::FC30, s);
  }
  return c.Aggiungi("CC50", C::FCC50)
      .PerVelocita("LWA", C::LWA, 1, velocita)
      .PerVelocita("PIN", C::PIN, 1, velocita)
      .Fine();
}

std::vector<Colonna> ColonneMiscela(const char* descrizione, int velocita) {
  return Colonne()
      .Testa(descrizione)
      .Ventilatore(1, velocita)
      .CoeffMiscela()
      .PerVelocita("LWA", C::LWA, 1, velocita)
      .PerVelocita("PIN", C::PIN, 1, velocita)
      .PerVelocita("LWA_IN", C::LWAIn, 1, velocita)
      .PerVelocita("LWA_OUT", C::LWAOut, 1, velocita)
      .Aggiungi("Sezione", C::Sezione)
      .Aggiungi("Bocche", C::Bocche)
      .Fine();
}

// The EC mixed-air tables; the DVK one ends MinQa, Nlog, Sezione, Bocche.
std::vector<Colonna> ColonneMiscelaEC(bool ordine_dvk) {
  Colonne c;
  c.Testa("Mod_Descri")
      .Ventilatore(0, 7)
      .MotoreEC()
      .CoeffMiscela()
      .PerVelocita("LWA", C::LWA, 0, 7)
      .Aggiungi("MinQa", C::MinQa);
  if (ordine_dvk)
    c.Aggiungi("Nlog", C::Nlog).Aggiungi("Sezione", C::Sezione).Aggiungi("Bocche", C::Bocche);
  else
    c.Aggiungi("Sezione", C::Sezione).Aggiungi("Bocche", C::Bocche).Aggiungi("Nlog", C::Nlog);
  return c.Fine();
}

std::vector<Colonna> ColonneKalvoEC() {
  return Colonne()
      .Testa("Mod_Descri")
      .Ventilatore(0, 7)
      .MotoreEC()
      .Aggiungi("F1C100", C::C100, 1)
      .Aggiungi("C1C30", C::CC30, 1)
      .Aggiungi("F1C30", C::FC30, 1)
      .Aggiungi("CC50", C::FCC50)
      .PerVelocita("LWA", C::LWA, 0, 7)
      .Aggiungi("MinQa", C::MinQa)
      .Aggiungi("Nlog", C::Nlog)
      .Fine();
}

// The fields a load empties: those of its columns, and for the RMB and DVK
// loaders also EspAriaModello, which they leave at zero.
std::vector<Campo> Ricreati(const std::vector<Colonna>& colonne, bool con_esp_aria) {
  std::vector<Campo> r;
  for (const Colonna& c : colonne) {
    bool nuovo = true;
    for (Campo x : r) nuovo = nuovo && x != c.campo;
    if (nuovo) r.push_back(c.campo);
  }
  if (con_esp_aria) r.push_back(C::EspAriaModello);
  return r;
}

DefinizioneSerie Definisci(Codice codice, int capacita, std::string suffisso, std::string accessori,
                           std::vector<Colonna> colonne, bool con_esp_aria = false) {
  const Serie& serie = Descrittore(codice);
  DefinizioneSerie d{serie,
                     std::string("Dati") + serie.codice,
                     capacita,
                     std::move(suffisso),
                     std::move(accessori),
                     std::move(colonne),
                     {}};
  d.ricreati = Ricreati(d.colonne, con_esp_aria);
  return d;
}

}  // namespace

const DefinizioneSerie& Definizione(Codice c) {
  static const DefinizioneSerie tabella[] = {
      Definisci(Codice::KALVO, 60, "*", "", ColonneKalvo(3)),
      Definisci(Codice::KALVOP, 48, "4P", "", ColonneKalvo(6)),
      Definisci(Codice::RMB, 28, "", "DPAcc", ColonneMiscela("Mod_descri", 3), true),
      Definisci(Codice::DVK, 18, "", "DPAccDVK", ColonneMiscela("Mod_Descri", 7), true),
      Definisci(Codice::KALVOEC, 52, "*", "", ColonneKalvoEC()),
      Definisci(Codice::RMBBLDC, 30, "*", "DPAcc", ColonneMiscelaEC(false)),
      Definisci(Codice::DVKBLDC, 30, "4P", "DPAccDVK", ColonneMiscelaEC(true)),
  };
  return tabella[static_cast<int>(c)];
}

}  // namespace catalogo::interno
