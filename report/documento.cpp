#include "report/documento.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <QSet>

#include "report/documento_interno.h"

namespace rapporto {

Documento::Documento(std::unique_ptr<Dati> d) : d_(std::move(d)) {}
Documento::Documento(Documento&&) noexcept = default;
Documento& Documento::operator=(Documento&&) noexcept = default;
Documento::~Documento() = default;

Documento Documento::DaModello(const QString& percorso) {
  return DaPacchetto(Pacchetto::Leggi(percorso), percorso);
}

Documento Documento::DaPacchetto(Pacchetto p, const QString& nome) {
  return NominandoIlFile(nome, [&] { return Apri(std::move(p), nome); });
}

namespace {

const QString kTipiContenuto = QStringLiteral("[Content_Types].xml");
const QString kRelPacchetto = QStringLiteral("_rels/.rels");

// The part whose relations a .rels part holds ("" for the package's own);
// nothing for a part that is no relations part.
std::optional<QString> SorgenteDi(const QString& rels) {
  const qsizetype i = rels.lastIndexOf(QLatin1String("_rels/"));
  if (i < 0 || !rels.endsWith(QLatin1String(".rels")) || (i > 0 && rels.at(i - 1) != QLatin1Char('/')))
    return std::nullopt;
  return rels.left(i) + rels.mid(i + 6, rels.size() - i - 6 - 5);
}

// A template goes into every report whole: what a word processor would
// refuse in it is refused here, naming the file, before anything is typed.
// Relations to outside files (a linked picture, an attached template) would
// make the reader fetch them: all but hyperlinks are dropped with what
// refers to them.
void ControllaModello(Pacchetto& p, const QString& nome) {
  auto errore = [&](const QString& perche) {
    return ErroreDocumento(
        QStringLiteral("The document %1 cannot be used as a letterhead: %2.").arg(nome, perche));
  };
  for (const QString& parte : {kTipiContenuto, kRelPacchetto})
    if (!p.Ha(parte)) throw errore(QStringLiteral("it lacks its part %1").arg(parte));
  std::map<QString, NodoXml> xml;
  for (const auto& [parte, dati] : p.Parti())
    if (ParteXml(parte)) xml.emplace(parte, LeggiXml(dati, parte));

  // Every part has a content type.
  QSet<QString> estensioni, nomi;
  for (const NodoXml& t : xml[kTipiContenuto].figli) {
    if (t.nome == QLatin1String("Default"))
      estensioni.insert(t.Attributo({}, QStringLiteral("Extension")).toLower());
    else if (t.nome == QLatin1String("Override"))
      nomi.insert(t.Attributo({}, QStringLiteral("PartName")).toLower());
  }
  for (const auto& [parte, dati] : p.Parti()) {
    if (parte == kTipiContenuto) continue;
    const QString est = parte.mid(parte.lastIndexOf(QLatin1Char('.')) + 1).toLower();
    if (!nomi.contains(QLatin1Char('/') + parte.toLower()) && !estensioni.contains(est))
      throw errore(QStringLiteral("its part %1 has no content type").arg(parte));
  }

  // The relations: outside files dropped, every other target present.
  std::map<QString, QSet<QString>> tenute, tolte;  // by source part
  for (auto& [parte, radice] : xml) {
    const std::optional<QString> sorgente = SorgenteDi(parte);
    if (!sorgente) continue;
    QSet<QString>& t = tenute[*sorgente];
    std::vector<NodoXml> figli;
    for (NodoXml& r : radice.figli) {
      if (r.testo || r.nome != QLatin1String("Relationship")) continue;
      const QString id = r.Attributo({}, QStringLiteral("Id"));
      if (r.Attributo({}, QStringLiteral("TargetMode")) == QLatin1String("External")) {
        if (r.Attributo({}, QStringLiteral("Type")) != kTipoCollegamento) {
          tolte[*sorgente].insert(id);
          continue;
        }
      } else {
        const QString bersaglio = Risolvi(Cartella(*sorgente), r.Attributo({}, QStringLiteral("Target")));
        if (!p.Ha(bersaglio))
          throw errore(QStringLiteral("%1 refers to the part %2, which it lacks")
                           .arg(sorgente->isEmpty() ? parte : *sorgente, bersaglio));
      }
      t.insert(id);
      figli.push_back(std::move(r));
    }
    radice.figli = std::move(figli);
    if (tolte.count(*sorgente)) p.Imposta(parte, ScriviXml(radice));
  }
  if (!std::any_of(xml[kRelPacchetto].figli.begin(), xml[kRelPacchetto].figli.end(), [](const NodoXml& r) {
        return r.Attributo({}, QStringLiteral("Type")) == kTipoDocumento;
      }))
    throw errore(QStringLiteral("it has no main part"));
  const QString principale = ParteprincipaleDi(p, nome);
  if (!xml.count(RelsDi(principale)))
    throw errore(QStringLiteral("it lacks its part %1").arg(RelsDi(principale)));

  // Every reference of a part names a relation it keeps; one to a dropped
  // relation goes with it (an element whose identity it is, else the
  // attribute).
  for (auto& [parte, radice] : xml) {
    if (SorgenteDi(parte)) continue;
    const QSet<QString>& t = tenute[parte];
    const QSet<QString>& via = tolte[parte];
    bool cambiata = false;
    const QString& nome_parte = parte;  // Clang before 16 lets no lambda name a structured binding
    std::function<void(NodoXml&)> pulisci = [&](NodoXml& n) {
      std::vector<NodoXml> figli;
      for (NodoXml& c : n.figli) {
        bool tieni = true;
        std::vector<AttributoXml> attributi;
        for (AttributoXml& a : c.attributi) {
          if (a.ns == ns::R && via.contains(a.valore)) {
            cambiata = true;
            if (a.nome == QLatin1String("id")) tieni = false;
            continue;
          }
          if (a.ns == ns::R && !t.contains(a.valore))
            throw errore(QStringLiteral("%1 refers to a relation %2 it lacks").arg(nome_parte, a.valore));
          attributi.push_back(std::move(a));
        }
        if (!tieni) continue;
        c.attributi = std::move(attributi);
        if (!c.testo) pulisci(c);
        figli.push_back(std::move(c));
      }
      n.figli = std::move(figli);
    };
    for (const AttributoXml& a : radice.attributi)
      if (a.ns == ns::R && !t.contains(a.valore))
        throw errore(QStringLiteral("%1 refers to a relation %2 it lacks").arg(parte, a.valore));
    pulisci(radice);
    if (cambiata) p.Imposta(parte, ScriviXml(radice));
  }
}

}  // namespace

Documento Documento::Apri(Pacchetto p, const QString& nome) {
  ControllaModello(p, nome);
  auto d = std::make_unique<Dati>();
  d->nome = nome;
  d->partePrincipale = ParteprincipaleDi(p, nome);
  if (!p.Ha(d->partePrincipale))
    throw ErroreDocumento(QStringLiteral("The document %1 has no main part.").arg(nome));
  d->relazioni = LeggiRelazioni(p, d->partePrincipale);
  NodoXml radice = LeggiXml(p.Parte(d->partePrincipale), d->partePrincipale);
  NodoXml* corpo = radice.Figlio(ns::W, QStringLiteral("body"));
  if (!radice.E(ns::W, QStringLiteral("document")) || !corpo)
    throw ErroreDocumento(QStringLiteral("The document %1 has no body.").arg(nome));
  std::vector<NodoXml> tenuti;
  for (NodoXml& b : corpo->figli) {
    if (b.testo) continue;
    if (b.E(ns::W, QStringLiteral("sectPr"))) {
      d->sezione = b;
      d->haSezione = true;
    } else {
      tenuti.push_back(std::move(b));
    }
  }
  corpo->figli.clear();
  d->radiceDocumento = std::move(radice);
  if (d->haSezione) {
    const NodoXml* pg = d->sezione.Figlio(ns::W, QStringLiteral("pgSz"));
    const NodoXml* mg = d->sezione.Figlio(ns::W, QStringLiteral("pgMar"));
    if (pg && mg) {
      auto v = [](const NodoXml* n, const char* a) { return n->Attributo(ns::W, QLatin1String(a)).toInt(); };
      const int larga = v(pg, "w") - v(mg, "left") - v(mg, "right");
      const int alta = v(pg, "h") - std::abs(v(mg, "top")) - std::abs(v(mg, "bottom"));
      if (larga > 1440) d->larghezzaTesto = larga;
      if (alta > 1440) d->altezzaTesto = alta;
    }
  }
  d->pacchetto = std::move(p);
  // The typing starts at the beginning of the body; a template body that
  // shows nothing is dropped.
  d->corpo.emplace_back(Paragrafo{});
  if (std::any_of(tenuti.begin(), tenuti.end(), HaContenuto))
    for (NodoXml& n : tenuti) d->corpo.emplace_back(std::move(n));
  return Documento(std::move(d));
}

// ---- The letterhead ----

namespace {
const QString kXml = QStringLiteral("http://www.w3.org/XML/1998/namespace");
}  // namespace

void Documento::TraduciIntestazioni(const std::map<QString, QString>& testi) {
  for (const Relazione& r : d_->relazioni) {
    if (r.esterna ||
        !(r.tipo.endsWith(QLatin1String("/header")) || r.tipo.endsWith(QLatin1String("/footer"))))
      continue;
    const QString parte = Risolvi(Cartella(d_->partePrincipale), r.destinazione);
    NodoXml radice = LeggiXml(d_->pacchetto.Parte(parte), parte);
    bool cambiata = false;
    radice.Visita([&](NodoXml& n) {
      if (!n.E(ns::W, QStringLiteral("t")) || n.figli.size() != 1 || !n.figli[0].testo) return;
      QString& t = n.figli[0].valore;
      const auto it = testi.find(t.trimmed());
      if (it == testi.end() || it->first.isEmpty()) return;
      const qsizetype inizio = t.indexOf(it->first);
      t = t.left(inizio) + it->second + t.mid(inizio + it->first.size());
      n.ImpostaAttributo(kXml, QStringLiteral("space"), QStringLiteral("preserve"));
      cambiata = true;
    });
    if (cambiata) d_->pacchetto.Imposta(parte, ScriviXml(radice));
  }
}

void Documento::ImpostaLingua(const QString& tag) {
  for (const Relazione& r : d_->relazioni) {
    if (r.esterna || !r.tipo.endsWith(QLatin1String("/styles"))) continue;
    const QString parte = Risolvi(Cartella(d_->partePrincipale), r.destinazione);
    NodoXml radice = LeggiXml(d_->pacchetto.Parte(parte), parte);
    // styles / docDefaults / rPrDefault / rPr / lang, made where missing.
    NodoXml* n = &radice;
    for (const char* nome : {"docDefaults", "rPrDefault", "rPr", "lang"}) {
      NodoXml* figlio = n->Figlio(ns::W, QLatin1String(nome));
      if (!figlio) {
        NodoXml nuovo{false, ns::W, QLatin1String(nome), {}, {}, {}};
        // The defaults come first among the styles, the run's before the
        // paragraph's; the language last among a run's settings.
        const bool primo = std::strcmp(nome, "rPr") != 0 && std::strcmp(nome, "lang") != 0;
        n->figli.insert(primo ? n->figli.begin() : n->figli.end(), std::move(nuovo));
        figlio = primo ? &n->figli.front() : &n->figli.back();
      }
      n = figlio;
    }
    n->ImpostaAttributo(ns::W, QStringLiteral("val"), tag);
    d_->pacchetto.Imposta(parte, ScriviXml(radice));
  }
}

// ---- Settings ----

void Documento::ImpostaCarattere(const QString& nome) {
  d_->car.nome = nome;
  if (d_->Corrente().Vuoto()) d_->Corrente().marca = d_->car;
}
void Documento::ImpostaGrassetto(bool si) {
  d_->car.grassetto = si;
  if (d_->Corrente().Vuoto()) d_->Corrente().marca = d_->car;
}
void Documento::ImpostaDimensione(double punti) {
  d_->car.punti = punti;
  if (d_->Corrente().Vuoto()) d_->Corrente().marca = d_->car;
}
void Documento::ImpostaAllineamento(Allineamento a) {
  d_->fp.allineamento = a;
  d_->Corrente().fp.allineamento = a;
}
void Documento::AggiungiTabulazione(double cm) {
  const int pos = static_cast<int>(std::lround(cm / 2.54 * 1440));
  auto& t = d_->fp.tabulazioni;
  if (std::find(t.begin(), t.end(), pos) == t.end()) {
    t.push_back(pos);
    std::sort(t.begin(), t.end());
  }
  d_->Corrente().fp.tabulazioni = t;
}
bool Documento::Grassetto() const { return d_->car.grassetto; }
double Documento::Dimensione() const { return d_->car.punti; }

// ---- Typing ----

void Documento::ScriviTesto(const QString& testo) {
  QString pezzo;
  auto chiudi = [&] {
    if (pezzo.isEmpty()) return;
    Pezzo z;
    z.testo = pezzo;
    z.car = d_->car;
    d_->Corrente().pezzi.push_back(std::move(z));
    pezzo.clear();
  };
  for (int i = 0; i < testo.size(); ++i) {
    const QChar c = testo.at(i);
    if (c == QLatin1Char('\t')) {
      chiudi();
      Pezzo z;
      z.tipo = Pezzo::Tipo::Tab;
      z.car = d_->car;
      d_->Corrente().pezzi.push_back(std::move(z));
    } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      chiudi();
      if (c == QLatin1Char('\r') && i + 1 < testo.size() && testo.at(i + 1) == QLatin1Char('\n')) ++i;
      NuovoParagrafo();
    } else if (c.isHighSurrogate() && i + 1 < testo.size() && testo.at(i + 1).isLowSurrogate()) {
      pezzo += c;
      pezzo += testo.at(++i);
    } else if (c.isSurrogate()) {
      pezzo += QChar(QChar::ReplacementCharacter);  // half a character: XML cannot carry it
    } else if (c.unicode() < 0x20 || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) {
      // characters XML cannot carry are left out
    } else {
      pezzo += c;
    }
  }
  chiudi();
}

void Documento::NuovoParagrafo() {
  Paragrafo p = d_->NuovoParagrafoConImpostazioni();
  if (Tabella* t = d_->TabellaCorrente()) {
    auto& v = t->righe[d_->riga].celle[d_->col].par;
    v.insert(v.begin() + d_->par + 1, std::move(p));
    ++d_->par;
  } else {
    d_->corpo.insert(d_->corpo.begin() + d_->blocco + 1, std::move(p));
    ++d_->blocco;
  }
}

void Documento::InterruzionePagina() {
  Pezzo z;
  z.tipo = Pezzo::Tipo::Pagina;
  z.car = d_->car;
  d_->Corrente().pezzi.push_back(std::move(z));
}

void Documento::VaiAllaFine() {
  if (d_->corpo.empty() || !std::holds_alternative<Paragrafo>(d_->corpo.back()))
    d_->corpo.emplace_back(d_->NuovoParagrafoConImpostazioni());
  d_->blocco = static_cast<int>(d_->corpo.size()) - 1;
  d_->riga = d_->col = -1;
  d_->par = 0;
  d_->Atterra();
}

// ---- Tables ----

int Documento::AggiungiTabella(int righe, int colonne, Larghezze l) {
  righe = std::max(1, righe);
  colonne = std::max(1, colonne);
  Tabella t;
  t.colonne = colonne;
  t.larghezze = l;
  Paragrafo base = d_->NuovoParagrafoConImpostazioni();
  base.pezzi.clear();
  for (int r = 0; r < righe; ++r) {
    Riga rg;
    rg.celle.resize(colonne);
    for (Cella& c : rg.celle) c.par.push_back(base);
    t.righe.push_back(std::move(rg));
  }
  // The table goes before an empty paragraph, which stays after it; after
  // a paragraph holding text, with an empty paragraph to follow.
  int dove;
  if (d_->riga >= 0) {
    dove = d_->blocco + 1;
    d_->corpo.insert(d_->corpo.begin() + dove, Blocco(base));
  } else if (d_->Corrente().Vuoto()) {
    dove = d_->blocco;
  } else {
    dove = d_->blocco + 1;
    d_->corpo.insert(d_->corpo.begin() + dove, Blocco(base));
  }
  d_->corpo.insert(d_->corpo.begin() + dove, Blocco(std::move(t)));
  d_->blocco = dove;
  d_->riga = d_->col = 0;
  d_->par = 0;
  int n = 0;
  for (int i = 0; i <= dove; ++i) {
    const Blocco& b = d_->corpo[i];
    if (std::holds_alternative<Tabella>(b))
      ++n;
    else if (auto* x = std::get_if<NodoXml>(&b); x && x->E(ns::W, QStringLiteral("tbl")))
      ++n;
  }
  return n;
}

int Documento::NumeroTabelle() const {
  int n = 0;
  for (const Blocco& b : d_->corpo) {
    if (std::holds_alternative<Tabella>(b))
      ++n;
    else if (auto* x = std::get_if<NodoXml>(&b); x && x->E(ns::W, QStringLiteral("tbl")))
      ++n;
  }
  return n;
}

bool Documento::InTabella() const { return d_->riga >= 0; }

void Documento::CellaSuccessiva() {
  Tabella* t = d_->TabellaCorrente();
  if (!t) return;
  if (d_->col + 1 < static_cast<int>(t->righe[d_->riga].celle.size())) {
    ++d_->col;
  } else {
    if (d_->riga + 1 >= static_cast<int>(t->righe.size())) {
      // A new row like the last one, its cells empty.
      Riga nuova;
      for (const Cella& c : t->righe.back().celle) {
        Cella v;
        v.span = c.span;
        Paragrafo p;
        p.fp = c.par.back().fp;
        p.marca = c.par.back().marca;
        v.par.push_back(std::move(p));
        nuova.celle.push_back(std::move(v));
      }
      t->righe.push_back(std::move(nuova));
    }
    ++d_->riga;
    d_->col = 0;
  }
  d_->par = 0;
  d_->Atterra();
}

void Documento::EliminaTabellaCorrente() {
  if (!d_->TabellaCorrente()) return;
  d_->corpo.erase(d_->corpo.begin() + d_->blocco);
  d_->riga = d_->col = -1;
  d_->par = 0;
  if (d_->blocco >= static_cast<int>(d_->corpo.size()) ||
      !std::holds_alternative<Paragrafo>(d_->corpo[d_->blocco]))
    d_->corpo.insert(d_->corpo.begin() + d_->blocco, Blocco(d_->NuovoParagrafoConImpostazioni()));
  d_->Atterra();
}

void Documento::CentraTabellaCorrente() {
  if (Tabella* t = d_->TabellaCorrente()) t->centrata = true;
}

void Documento::TogliBordoSinistroCella() {
  Tabella* t = d_->TabellaCorrente();
  if (!t) return;
  auto& celle = t->righe[d_->riga].celle;
  celle[d_->col].senzaSinistro = true;
  if (d_->col > 0) celle[d_->col - 1].senzaDestro = true;
}

void Documento::CentraCellaVerticalmente() {
  if (Tabella* t = d_->TabellaCorrente()) t->righe[d_->riga].celle[d_->col].centroVerticale = true;
}

int Documento::RigheTabella(int tabella) const {
  Tabella* t = d_->TabellaN(tabella);
  return t ? static_cast<int>(t->righe.size()) : 0;
}

void Documento::UnisciCelle(int tabella, int riga, int colonna, int finoA) {
  Tabella* t = d_->TabellaN(tabella);
  if (!t || riga < 1 || riga > static_cast<int>(t->righe.size())) return;
  auto& celle = t->righe[riga - 1].celle;
  finoA = std::min(finoA, static_cast<int>(celle.size()));
  if (colonna < 1 || finoA <= colonna) return;
  // The insertion point never stays in a cell that disappears.
  if (t == d_->TabellaCorrente() && d_->riga == riga - 1 && d_->col >= colonna - 1) {
    if (d_->col < finoA)
      d_->col = colonna - 1;
    else
      d_->col -= finoA - colonna;
    d_->par = 0;
  }
  Cella& prima = celle[colonna - 1];
  for (int c = colonna; c < finoA; ++c) {
    Cella& altra = celle[c];
    prima.span += altra.span;
    for (Paragrafo& p : altra.par)
      if (!p.Vuoto()) {
        if (prima.par.size() == 1 && prima.par[0].Vuoto()) prima.par.clear();
        prima.par.push_back(std::move(p));
      }
  }
  celle.erase(celle.begin() + colonna, celle.begin() + finoA);
}

void Documento::RigaInGrassetto(int tabella, int riga) {
  Tabella* t = d_->TabellaN(tabella);
  if (!t || riga < 1 || riga > static_cast<int>(t->righe.size())) return;
  for (int c = 1; c <= static_cast<int>(t->righe[riga - 1].celle.size()); ++c)
    CellaInGrassetto(tabella, riga, c);
}

void Documento::CellaInGrassetto(int tabella, int riga, int colonna) {
  Cella* c = d_->CellaN(tabella, riga, colonna);
  if (!c) return;
  for (Paragrafo& p : c->par) {
    p.marca.grassetto = true;
    for (Pezzo& z : p.pezzi) z.car.grassetto = true;
  }
}

void Documento::AccodaACella(int tabella, int riga, int colonna, const QString& testo) {
  Cella* c = d_->CellaN(tabella, riga, colonna);
  if (!c || testo.isEmpty()) return;
  Paragrafo& p = c->par.back();
  Pezzo z;
  z.testo = TestoXml(testo);
  z.car = p.marca;
  p.pezzi.push_back(std::move(z));
}

void Documento::AdattaColonne(int tabella) {
  if (Tabella* t = d_->TabellaN(tabella)) t->larghezze = Larghezze::Adattate;
}

// ---- Pictures ----

void Documento::InserisciImmagine(const QString& percorso) {
  QFile f(percorso);
  if (!f.open(QIODevice::ReadOnly))
    throw ErroreDocumento(
        QStringLiteral("The picture %1 cannot be read (%2).").arg(percorso, f.errorString()));
  if (f.size() > Pacchetto::kMassimaParte)
    throw ErroreDocumento(QStringLiteral("The picture %1 is too large.").arg(percorso));
  const QByteArray dati = f.readAll();
  QBuffer buf;
  buf.setData(dati);
  buf.open(QIODevice::ReadOnly);
  QImageReader lettore(&buf);
  const QByteArray formato = lettore.format().toLower();
  if (formato != "png" && formato != "jpeg" && formato != "jpg")
    throw ErroreDocumento(QStringLiteral("The picture %1 is not a PNG or JPEG picture.").arg(percorso));
  const QImage img = lettore.read();
  if (img.isNull())
    throw ErroreDocumento(
        QStringLiteral("The picture %1 cannot be read (%2).").arg(percorso, lettore.errorString()));
  const double dpiX = img.dotsPerMeterX() > 400 ? img.dotsPerMeterX() * 0.0254 : 96.0;
  const double dpiY = img.dotsPerMeterY() > 400 ? img.dotsPerMeterY() * 0.0254 : dpiX;
  double larga = img.width() / dpiX * 1440.0, alta = img.height() / dpiY * 1440.0;  // twips
  const double scala = std::min({1.0, d_->LarghezzaDisponibile() / larga, d_->altezzaTesto * 0.9 / alta});
  larga *= scala;
  alta *= scala;

  Pezzo z;
  z.tipo = Pezzo::Tipo::Immagine;
  z.car = d_->car;
  z.img.rel = d_->NuovoMedia(dati, formato == "png" ? QStringLiteral("png") : QStringLiteral("jpeg"));
  z.img.cx = std::llround(larga * kEmuPerTwip);
  z.img.cy = std::llround(alta * kEmuPerTwip);
  z.img.id = d_->prossimoId++;
  z.img.nome = TestoXml(QFileInfo(percorso).fileName());
  d_->Corrente().pezzi.push_back(std::move(z));
}

}  // namespace rapporto
