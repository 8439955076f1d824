#include "report/documento.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <map>
#include <variant>

#include "report/nodi_xml.h"

namespace rapporto {
namespace {

constexpr int kTwipPerPunto = 20;
constexpr double kEmuPerTwip = 635.0;
constexpr int kMargineCella = 108;  // twips each side, the tables' default cell margin
const QString kTipoImmagine =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/image");
const QString kTipoCollegamento =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink");
const QString kTipoDocumento =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument");

struct Carattere {
  QString nome;       // empty: the template's
  bool grassetto = false;
  double punti = 0;  // 0: the template's
};

struct FormatoParagrafo {
  Allineamento allineamento = Allineamento::Sinistra;
  std::vector<int> tabulazioni;  // twips
};

struct Immagine {
  QString rel;
  qint64 cx = 0, cy = 0;  // EMU
  int id = 0;
  QString nome;
};

struct Pezzo {
  enum class Tipo { Testo, Tab, Pagina, Immagine } tipo = Tipo::Testo;
  QString testo;
  Carattere car;
  Immagine img;
};

struct Paragrafo {
  FormatoParagrafo fp;
  Carattere marca;  // the formatting of the paragraph mark
  std::vector<Pezzo> pezzi;
  bool Vuoto() const { return pezzi.empty(); }
};

struct Cella {
  std::vector<Paragrafo> par;
  int span = 1;
  bool senzaSinistro = false, senzaDestro = false, centroVerticale = false;
};

struct Riga {
  std::vector<Cella> celle;
};

struct Tabella {
  std::vector<Riga> righe;
  int colonne = 0;
  Larghezze larghezze = Larghezze::Fisse;
  bool centrata = false;
};

using Blocco = std::variant<Paragrafo, Tabella, NodoXml>;

struct Relazione {
  QString id, tipo, destinazione;
  bool esterna = false;
};

QString Cartella(const QString& parte) {
  const int i = parte.lastIndexOf(QLatin1Char('/'));
  return i < 0 ? QString() : parte.left(i + 1);
}

QString RelsDi(const QString& parte) {
  const int i = parte.lastIndexOf(QLatin1Char('/'));
  return parte.left(i + 1) + QStringLiteral("_rels/") + parte.mid(i + 1) + QStringLiteral(".rels");
}

// A target relative to the folder of its source part, as a part name.
QString Risolvi(const QString& cartella, const QString& destinazione) {
  if (destinazione.startsWith(QLatin1Char('/'))) return destinazione.mid(1);
  QStringList pezzi = (cartella + destinazione).split(QLatin1Char('/'));
  QStringList out;
  for (const QString& p : pezzi) {
    if (p == QLatin1String("..")) {
      if (!out.isEmpty()) out.removeLast();
    } else if (!p.isEmpty() && p != QLatin1String(".")) {
      out << p;
    }
  }
  return out.join(QLatin1Char('/'));
}

std::vector<Relazione> LeggiRelazioni(const Pacchetto& p, const QString& parte) {
  std::vector<Relazione> out;
  const QString nome = RelsDi(parte);
  if (!p.Ha(nome)) return out;
  const NodoXml radice = LeggiXml(p.Parte(nome), nome);
  for (const NodoXml& r : radice.figli) {
    if (r.testo || r.nome != QLatin1String("Relationship")) continue;
    out.push_back({r.Attributo({}, QStringLiteral("Id")), r.Attributo({}, QStringLiteral("Type")),
                   r.Attributo({}, QStringLiteral("Target")),
                   r.Attributo({}, QStringLiteral("TargetMode")) == QLatin1String("External")});
  }
  return out;
}

QString ParteprincipaleDi(const Pacchetto& p, const QString& nomeFile) {
  for (const Relazione& r : LeggiRelazioni(p, QString()))
    if (r.tipo == kTipoDocumento) return Risolvi(QString(), r.destinazione);
  if (p.Ha(QStringLiteral("word/document.xml"))) return QStringLiteral("word/document.xml");
  throw ErroreDocumento(QStringLiteral("The document %1 has no main part.").arg(nomeFile));
}

// Whether a kept block holds anything a reader would show.
bool HaContenuto(const NodoXml& n) {
  if (n.testo) return !n.valore.trimmed().isEmpty();
  if (n.ns == ns::W && (n.nome == QLatin1String("tbl") || n.nome == QLatin1String("drawing") ||
                        n.nome == QLatin1String("pict") || n.nome == QLatin1String("br") ||
                        n.nome == QLatin1String("object")))
    return true;
  for (const NodoXml& c : n.figli)
    if (HaContenuto(c)) return true;
  return false;
}

void ScriviCarattere(QXmlStreamWriter& w, const Carattere& c) {
  w.writeStartElement(ns::W, QStringLiteral("rPr"));
  if (!c.nome.isEmpty()) {
    w.writeEmptyElement(ns::W, QStringLiteral("rFonts"));
    for (const char* a : {"ascii", "hAnsi", "cs", "eastAsia"}) w.writeAttribute(ns::W, QLatin1String(a), c.nome);
  }
  for (const char* b : {"b", "bCs"}) {
    w.writeEmptyElement(ns::W, QLatin1String(b));
    w.writeAttribute(ns::W, QStringLiteral("val"), c.grassetto ? QStringLiteral("1") : QStringLiteral("0"));
  }
  if (c.punti > 0) {
    const QString mezzi = QString::number(std::lround(c.punti * 2));
    for (const char* s : {"sz", "szCs"}) {
      w.writeEmptyElement(ns::W, QLatin1String(s));
      w.writeAttribute(ns::W, QStringLiteral("val"), mezzi);
    }
  }
  w.writeEndElement();
}

void ScriviImmagine(QXmlStreamWriter& w, const Immagine& im) {
  const QString cx = QString::number(im.cx), cy = QString::number(im.cy), id = QString::number(im.id);
  w.writeStartElement(ns::W, QStringLiteral("drawing"));
  w.writeStartElement(ns::WP, QStringLiteral("inline"));
  for (const char* d : {"distT", "distB", "distL", "distR"}) w.writeAttribute(QLatin1String(d), QStringLiteral("0"));
  w.writeEmptyElement(ns::WP, QStringLiteral("extent"));
  w.writeAttribute(QStringLiteral("cx"), cx);
  w.writeAttribute(QStringLiteral("cy"), cy);
  w.writeEmptyElement(ns::WP, QStringLiteral("docPr"));
  w.writeAttribute(QStringLiteral("id"), id);
  w.writeAttribute(QStringLiteral("name"), im.nome);
  w.writeStartElement(ns::WP, QStringLiteral("cNvGraphicFramePr"));
  w.writeEmptyElement(ns::A, QStringLiteral("graphicFrameLocks"));
  w.writeAttribute(QStringLiteral("noChangeAspect"), QStringLiteral("1"));
  w.writeEndElement();
  w.writeStartElement(ns::A, QStringLiteral("graphic"));
  w.writeStartElement(ns::A, QStringLiteral("graphicData"));
  w.writeAttribute(QStringLiteral("uri"), ns::PIC);
  w.writeStartElement(ns::PIC, QStringLiteral("pic"));
  w.writeStartElement(ns::PIC, QStringLiteral("nvPicPr"));
  w.writeEmptyElement(ns::PIC, QStringLiteral("cNvPr"));
  w.writeAttribute(QStringLiteral("id"), id);
  w.writeAttribute(QStringLiteral("name"), im.nome);
  w.writeEmptyElement(ns::PIC, QStringLiteral("cNvPicPr"));
  w.writeEndElement();
  w.writeStartElement(ns::PIC, QStringLiteral("blipFill"));
  w.writeEmptyElement(ns::A, QStringLiteral("blip"));
  w.writeAttribute(ns::R, QStringLiteral("embed"), im.rel);
  w.writeStartElement(ns::A, QStringLiteral("stretch"));
  w.writeEmptyElement(ns::A, QStringLiteral("fillRect"));
  w.writeEndElement();
  w.writeEndElement();
  w.writeStartElement(ns::PIC, QStringLiteral("spPr"));
  w.writeStartElement(ns::A, QStringLiteral("xfrm"));
  w.writeEmptyElement(ns::A, QStringLiteral("off"));
  w.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
  w.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
  w.writeEmptyElement(ns::A, QStringLiteral("ext"));
  w.writeAttribute(QStringLiteral("cx"), cx);
  w.writeAttribute(QStringLiteral("cy"), cy);
  w.writeEndElement();
  w.writeStartElement(ns::A, QStringLiteral("prstGeom"));
  w.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
  w.writeEmptyElement(ns::A, QStringLiteral("avLst"));
  w.writeEndElement();
  w.writeEndElement();  // spPr
  w.writeEndElement();  // pic
  w.writeEndElement();  // graphicData
  w.writeEndElement();  // graphic
  w.writeEndElement();  // inline
  w.writeEndElement();  // drawing
}

void ScriviParagrafo(QXmlStreamWriter& w, const Paragrafo& p) {
  w.writeStartElement(ns::W, QStringLiteral("p"));
  w.writeStartElement(ns::W, QStringLiteral("pPr"));
  if (!p.fp.tabulazioni.empty()) {
    w.writeStartElement(ns::W, QStringLiteral("tabs"));
    for (int t : p.fp.tabulazioni) {
      w.writeEmptyElement(ns::W, QStringLiteral("tab"));
      w.writeAttribute(ns::W, QStringLiteral("val"), QStringLiteral("left"));
      w.writeAttribute(ns::W, QStringLiteral("pos"), QString::number(t));
    }
    w.writeEndElement();
  }
  w.writeEmptyElement(ns::W, QStringLiteral("jc"));
  w.writeAttribute(ns::W, QStringLiteral("val"),
                   p.fp.allineamento == Allineamento::Centro ? QStringLiteral("center") : QStringLiteral("left"));
  ScriviCarattere(w, p.marca);
  w.writeEndElement();
  for (const Pezzo& z : p.pezzi) {
    w.writeStartElement(ns::W, QStringLiteral("r"));
    ScriviCarattere(w, z.car);
    switch (z.tipo) {
      case Pezzo::Tipo::Testo:
        w.writeStartElement(ns::W, QStringLiteral("t"));
        w.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        w.writeCharacters(z.testo);
        w.writeEndElement();
        break;
      case Pezzo::Tipo::Tab: w.writeEmptyElement(ns::W, QStringLiteral("tab")); break;
      case Pezzo::Tipo::Pagina:
        w.writeEmptyElement(ns::W, QStringLiteral("br"));
        w.writeAttribute(ns::W, QStringLiteral("type"), QStringLiteral("page"));
        break;
      case Pezzo::Tipo::Immagine: ScriviImmagine(w, z.img); break;
    }
    w.writeEndElement();
  }
  w.writeEndElement();
}

// Estimated width in twips of a paragraph's longest line.
int LarghezzaTesto(const Paragrafo& p) {
  double riga = 0, massima = 0;
  for (const Pezzo& z : p.pezzi) {
    const double punti = z.car.punti > 0 ? z.car.punti : 10;
    const double fattore = z.car.grassetto ? 0.58 : 0.53;  // average glyph width of a sans face
    switch (z.tipo) {
      case Pezzo::Tipo::Testo: riga += z.testo.size() * punti * fattore * kTwipPerPunto; break;
      case Pezzo::Tipo::Tab: riga += 720; break;
      case Pezzo::Tipo::Pagina: break;
      case Pezzo::Tipo::Immagine: riga += z.img.cx / kEmuPerTwip; break;
    }
    massima = std::max(massima, riga);
  }
  return static_cast<int>(std::ceil(massima));
}

}  // namespace

struct Documento::Dati {
  QString nome;
  Pacchetto pacchetto;
  QString partePrincipale;
  std::vector<Relazione> relazioni;
  NodoXml radiceDocumento;  // w:document without its body's content
  NodoXml sezione;          // the body's w:sectPr
  bool haSezione = false;
  std::vector<Blocco> corpo;
  int larghezzaTesto = 9638, altezzaTesto = 13606;  // twips (A4, 2 cm margins)
  int prossimoId = 1;
  int prossimaRel = 1;
  int prossimoMedia = 1;

  // The insertion point: the body block and, inside a table, row, column
  // and paragraph of the cell.
  int blocco = 0;
  int riga = -1, col = -1, par = 0;
  Carattere car;
  FormatoParagrafo fp;

  Paragrafo& Corrente() {
    if (riga < 0) return std::get<Paragrafo>(corpo[blocco]);
    return std::get<Tabella>(corpo[blocco]).righe[riga].celle[col].par[par];
  }
  Tabella* TabellaCorrente() { return riga < 0 ? nullptr : &std::get<Tabella>(corpo[blocco]); }
  // Takes up the settings of the paragraph where the insertion point lands.
  void Atterra() {
    car = Corrente().marca;
    fp = Corrente().fp;
  }
  Tabella* TabellaN(int n) {
    int k = 0;
    for (Blocco& b : corpo) {
      if (auto* t = std::get_if<Tabella>(&b)) {
        if (++k == n) return t;
      } else if (auto* x = std::get_if<NodoXml>(&b); x && x->E(ns::W, QStringLiteral("tbl"))) {
        if (++k == n) return nullptr;  // a table taken whole from another document
      }
    }
    return nullptr;
  }
  Cella* CellaN(int n, int r, int c) {
    Tabella* t = TabellaN(n);
    if (!t || r < 1 || r > static_cast<int>(t->righe.size())) return nullptr;
    auto& celle = t->righe[r - 1].celle;
    return (c < 1 || c > static_cast<int>(celle.size())) ? nullptr : &celle[c - 1];
  }
  QString NuovaRelazione(const QString& tipo, const QString& destinazione, bool esterna) {
    QString id;
    do {
      id = QStringLiteral("rIdM%1").arg(prossimaRel++);
    } while (std::any_of(relazioni.begin(), relazioni.end(), [&](const Relazione& r) { return r.id == id; }));
    relazioni.push_back({id, tipo, destinazione, esterna});
    return id;
  }
  // Stores a picture's bytes as a new media part; returns its relation id.
  QString NuovoMedia(const QByteArray& dati, QString estensione) {
    estensione = estensione.toLower();
    if (estensione == QLatin1String("jpg")) estensione = QStringLiteral("jpeg");
    QString nome;
    do {
      nome = QStringLiteral("media/rapporto%1.%2").arg(prossimoMedia++).arg(estensione);
    } while (pacchetto.Ha(Cartella(partePrincipale) + nome));
    pacchetto.Imposta(Cartella(partePrincipale) + nome, dati);
    return NuovaRelazione(kTipoImmagine, nome, false);
  }
  // The text width available at the insertion point (its cell in a table of
  // fixed columns).
  int LarghezzaDisponibile() {
    Tabella* t = TabellaCorrente();
    if (!t || t->larghezze != Larghezze::Fisse) return larghezzaTesto;
    const Cella& c = t->righe[riga].celle[col];
    return larghezzaTesto * c.span / std::max(1, t->colonne) - 2 * kMargineCella;
  }
  Paragrafo NuovoParagrafoConImpostazioni() const {
    Paragrafo p;
    p.fp = fp;
    p.marca = car;
    return p;
  }

  std::vector<int> Colonne(const Tabella& t) const;
  QByteArray ScriviDocumento() const;
  void ScriviTabella(QXmlStreamWriter& w, const Tabella& t) const;
};

Documento::Documento(std::unique_ptr<Dati> d) : d_(std::move(d)) {}
Documento::Documento(Documento&&) noexcept = default;
Documento& Documento::operator=(Documento&&) noexcept = default;
Documento::~Documento() = default;

Documento Documento::DaModello(const QString& percorso) { return DaPacchetto(Pacchetto::Leggi(percorso), percorso); }

namespace {

// An error of a part, made to name the file it belongs to.
template <class F>
auto NominandoIlFile(const QString& file, F&& f) {
  try {
    return f();
  } catch (const ErroreDocumento& e) {
    if (e.Testo().contains(file)) throw;
    throw ErroreDocumento(QStringLiteral("The document %1 cannot be read: %2").arg(file, e.Testo()));
  }
}

}  // namespace

Documento Documento::DaPacchetto(Pacchetto p, const QString& nome) {
  return NominandoIlFile(nome, [&] { return Apri(std::move(p), nome); });
}

Documento Documento::Apri(Pacchetto p, const QString& nome) {
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
    if (std::holds_alternative<Tabella>(b)) ++n;
    else if (auto* x = std::get_if<NodoXml>(&b); x && x->E(ns::W, QStringLiteral("tbl"))) ++n;
  }
  return n;
}

int Documento::NumeroTabelle() const {
  int n = 0;
  for (const Blocco& b : d_->corpo) {
    if (std::holds_alternative<Tabella>(b)) ++n;
    else if (auto* x = std::get_if<NodoXml>(&b); x && x->E(ns::W, QStringLiteral("tbl"))) ++n;
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
  if (d_->blocco >= static_cast<int>(d_->corpo.size()) || !std::holds_alternative<Paragrafo>(d_->corpo[d_->blocco]))
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
    if (d_->col < finoA) d_->col = colonna - 1;
    else d_->col -= finoA - colonna;
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
  for (int c = 1; c <= static_cast<int>(t->righe[riga - 1].celle.size()); ++c) CellaInGrassetto(tabella, riga, c);
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
  z.testo = testo;
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
    throw ErroreDocumento(QStringLiteral("The picture %1 cannot be read (%2).").arg(percorso, f.errorString()));
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
  z.img.nome = QFileInfo(percorso).fileName();
  d_->Corrente().pezzi.push_back(std::move(z));
}

// ---- Another document's body ----

void Documento::InserisciDocumento(const QString& percorso) {
  NominandoIlFile(percorso, [&] { Inserisci(percorso); });
}

void Documento::Inserisci(const QString& percorso) {
  const Pacchetto altro = Pacchetto::Leggi(percorso);
  const QString principale = ParteprincipaleDi(altro, percorso);
  if (!altro.Ha(principale))
    throw ErroreDocumento(QStringLiteral("The document %1 has no main part.").arg(percorso));
  NodoXml radice = LeggiXml(altro.Parte(principale), percorso);
  NodoXml* corpo = radice.Figlio(ns::W, QStringLiteral("body"));
  if (!radice.E(ns::W, QStringLiteral("document")) || !corpo)
    throw ErroreDocumento(QStringLiteral("The document %1 has no body.").arg(percorso));
  const std::vector<Relazione> rel = LeggiRelazioni(altro, principale);
  const QString cartella = Cartella(principale);

  // Relations are carried over (pictures copied, links kept); the styles
  // the body names and this document lacks are copied with it.
  std::map<QString, QString> nuoveRel;
  QSet<QString> stili;
  auto traduciRel = [&](const QString& vecchia) -> QString {
    auto giaFatta = nuoveRel.find(vecchia);
    if (giaFatta != nuoveRel.end()) return giaFatta->second;
    QString nuova;
    for (const Relazione& r : rel) {
      if (r.id != vecchia) continue;
      if (r.tipo == kTipoImmagine && !r.esterna) {
        const QString parte = Risolvi(cartella, r.destinazione);
        if (!altro.Ha(parte))
          throw ErroreDocumento(QStringLiteral("The document %1 lacks its picture %2.").arg(percorso, parte));
        nuova = d_->NuovoMedia(altro.Parte(parte), QFileInfo(parte).suffix());
      } else if (r.tipo == kTipoCollegamento && r.esterna) {
        nuova = d_->NuovaRelazione(kTipoCollegamento, r.destinazione, true);
      }
    }
    nuoveRel[vecchia] = nuova;
    return nuova;
  };
  std::vector<NodoXml> blocchi;
  for (NodoXml& b : corpo->figli) {
    if (b.testo || b.E(ns::W, QStringLiteral("sectPr"))) continue;
    b.Visita([&](NodoXml& n) {
      std::vector<AttributoXml> tenuti;
      for (AttributoXml& a : n.attributi) {
        if (a.ns == ns::R) {
          a.valore = traduciRel(a.valore);
          if (a.valore.isEmpty()) continue;  // a relation of a kind not carried over
        }
        tenuti.push_back(a);
      }
      n.attributi = std::move(tenuti);
      if (n.E(ns::WP, QStringLiteral("docPr"))) n.ImpostaAttributo({}, QStringLiteral("id"), QString::number(d_->prossimoId++));
      if (n.ns == ns::W && (n.nome == QLatin1String("pStyle") || n.nome == QLatin1String("rStyle") ||
                            n.nome == QLatin1String("tblStyle")))
        stili.insert(n.Attributo(ns::W, QStringLiteral("val")));
      // Section breaks and list numbering of the other document stay behind.
      auto& f = n.figli;
      f.erase(std::remove_if(f.begin(), f.end(),
                             [](const NodoXml& c) {
                               return c.E(ns::W, QStringLiteral("sectPr")) || c.E(ns::W, QStringLiteral("numPr"));
                             }),
              f.end());
    });
    blocchi.push_back(std::move(b));
  }

  // Styles.
  if (!stili.isEmpty()) {
    QString parteStili, parteStiliAltro;
    for (const Relazione& r : d_->relazioni)
      if (r.tipo.endsWith(QLatin1String("/styles"))) parteStili = Risolvi(Cartella(d_->partePrincipale), r.destinazione);
    for (const Relazione& r : rel)
      if (r.tipo.endsWith(QLatin1String("/styles"))) parteStiliAltro = Risolvi(cartella, r.destinazione);
    if (!parteStili.isEmpty() && d_->pacchetto.Ha(parteStili) && altro.Ha(parteStiliAltro)) {
      NodoXml nostri = LeggiXml(d_->pacchetto.Parte(parteStili), parteStili);
      const NodoXml loro = LeggiXml(altro.Parte(parteStiliAltro), parteStiliAltro);
      QSet<QString> presenti;
      for (const NodoXml& s : nostri.figli)
        if (s.E(ns::W, QStringLiteral("style"))) presenti.insert(s.Attributo(ns::W, QStringLiteral("styleId")));
      QStringList daCopiare(stili.begin(), stili.end());
      bool cambiato = false;
      while (!daCopiare.isEmpty()) {
        const QString id = daCopiare.takeFirst();
        if (presenti.contains(id)) continue;
        for (const NodoXml& s : loro.figli) {
          if (!s.E(ns::W, QStringLiteral("style")) || s.Attributo(ns::W, QStringLiteral("styleId")) != id) continue;
          nostri.figli.push_back(s);
          presenti.insert(id);
          cambiato = true;
          for (const char* legame : {"basedOn", "next", "link"})
            if (const NodoXml* b = s.Figlio(ns::W, QLatin1String(legame)))
              daCopiare << b->Attributo(ns::W, QStringLiteral("val"));
        }
      }
      if (cambiato) d_->pacchetto.Imposta(parteStili, ScriviXml(nostri));
    }
  }

  // The body goes in before the empty paragraph at the insertion point.
  int dove;
  if (d_->riga >= 0) {
    dove = d_->blocco + 1;
  } else if (d_->Corrente().Vuoto()) {
    dove = d_->blocco;
  } else {
    dove = d_->blocco + 1;
    d_->corpo.insert(d_->corpo.begin() + dove, Blocco(d_->NuovoParagrafoConImpostazioni()));
  }
  const int quanti = static_cast<int>(blocchi.size());
  for (int i = 0; i < quanti; ++i) d_->corpo.insert(d_->corpo.begin() + dove + i, Blocco(std::move(blocchi[i])));
  if (d_->riga >= 0) {
    d_->corpo.insert(d_->corpo.begin() + dove + quanti, Blocco(d_->NuovoParagrafoConImpostazioni()));
    d_->blocco = dove + quanti;
    d_->riga = d_->col = -1;
    d_->par = 0;
  } else {
    d_->blocco = dove + quanti;
  }
}

// ---- Output ----

std::vector<int> Documento::Dati::Colonne(const Tabella& t) const {
  const int n = std::max(1, t.colonne);
  std::vector<int> col(n, larghezzaTesto / n);
  if (t.larghezze == Larghezze::Fisse) return col;
  // Fitted: each column as wide as its longest text, merged cells spread
  // over the columns they cover; the whole no wider than the text width.
  std::fill(col.begin(), col.end(), 2 * kMargineCella + 120);
  std::vector<std::pair<std::pair<int, int>, int>> unite;  // (first, span) -> width
  for (const Riga& r : t.righe) {
    int c = 0;
    for (const Cella& cella : r.celle) {
      int larga = 0;
      for (const Paragrafo& p : cella.par) larga = std::max(larga, LarghezzaTesto(p));
      larga += 2 * kMargineCella + 60;
      if (c < n) {
        if (cella.span == 1) col[c] = std::max(col[c], larga);
        else unite.push_back({{c, std::min(cella.span, n - c)}, larga});
      }
      c += cella.span;
    }
  }
  for (const auto& [pos, larga] : unite) {
    int somma = 0;
    for (int i = 0; i < pos.second; ++i) somma += col[pos.first + i];
    if (somma < larga)
      for (int i = 0; i < pos.second; ++i) col[pos.first + i] += (larga - somma + pos.second - 1) / pos.second;
  }
  int totale = 0;
  for (int v : col) totale += v;
  if (totale > larghezzaTesto)
    for (int& v : col) v = std::max(200, v * larghezzaTesto / totale);
  return col;
}

void Documento::Dati::ScriviTabella(QXmlStreamWriter& w, const Tabella& t) const {
  const std::vector<int> col = Colonne(t);
  int totale = 0;
  for (int v : col) totale += v;
  auto attr = [&](const char* a, const QString& v) { w.writeAttribute(ns::W, QLatin1String(a), v); };
  w.writeStartElement(ns::W, QStringLiteral("tbl"));
  w.writeStartElement(ns::W, QStringLiteral("tblPr"));
  w.writeEmptyElement(ns::W, QStringLiteral("tblW"));
  attr("w", QString::number(t.larghezze == Larghezze::Fisse ? totale : 0));
  attr("type", t.larghezze == Larghezze::Fisse ? QStringLiteral("dxa") : QStringLiteral("auto"));
  if (t.centrata) {
    w.writeEmptyElement(ns::W, QStringLiteral("jc"));
    attr("val", QStringLiteral("center"));
  }
  w.writeStartElement(ns::W, QStringLiteral("tblBorders"));
  for (const char* b : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
    w.writeEmptyElement(ns::W, QLatin1String(b));
    attr("val", QStringLiteral("single"));
    attr("sz", QStringLiteral("4"));
    attr("space", QStringLiteral("0"));
    attr("color", QStringLiteral("auto"));
  }
  w.writeEndElement();
  w.writeEmptyElement(ns::W, QStringLiteral("tblLayout"));
  attr("type", t.larghezze == Larghezze::Fisse ? QStringLiteral("fixed") : QStringLiteral("autofit"));
  w.writeStartElement(ns::W, QStringLiteral("tblCellMar"));
  for (const char* m : {"left", "right"}) {
    w.writeEmptyElement(ns::W, QLatin1String(m));
    attr("w", QString::number(kMargineCella));
    attr("type", QStringLiteral("dxa"));
  }
  w.writeEndElement();
  w.writeEmptyElement(ns::W, QStringLiteral("tblLook"));
  attr("val", QStringLiteral("0000"));
  w.writeEndElement();  // tblPr
  w.writeStartElement(ns::W, QStringLiteral("tblGrid"));
  for (int v : col) {
    w.writeEmptyElement(ns::W, QStringLiteral("gridCol"));
    attr("w", QString::number(v));
  }
  w.writeEndElement();
  for (const Riga& r : t.righe) {
    w.writeStartElement(ns::W, QStringLiteral("tr"));
    int c = 0;
    for (const Cella& cella : r.celle) {
      int larga = 0;
      for (int i = c; i < std::min<int>(c + cella.span, static_cast<int>(col.size())); ++i) larga += col[i];
      c += cella.span;
      w.writeStartElement(ns::W, QStringLiteral("tc"));
      w.writeStartElement(ns::W, QStringLiteral("tcPr"));
      w.writeEmptyElement(ns::W, QStringLiteral("tcW"));
      attr("w", QString::number(larga));
      attr("type", QStringLiteral("dxa"));
      if (cella.span > 1) {
        w.writeEmptyElement(ns::W, QStringLiteral("gridSpan"));
        attr("val", QString::number(cella.span));
      }
      if (cella.senzaSinistro || cella.senzaDestro) {
        w.writeStartElement(ns::W, QStringLiteral("tcBorders"));
        if (cella.senzaSinistro) {
          w.writeEmptyElement(ns::W, QStringLiteral("left"));
          attr("val", QStringLiteral("nil"));
        }
        if (cella.senzaDestro) {
          w.writeEmptyElement(ns::W, QStringLiteral("right"));
          attr("val", QStringLiteral("nil"));
        }
        w.writeEndElement();
      }
      if (cella.centroVerticale) {
        w.writeEmptyElement(ns::W, QStringLiteral("vAlign"));
        attr("val", QStringLiteral("center"));
      }
      w.writeEndElement();  // tcPr
      for (const Paragrafo& p : cella.par) ScriviParagrafo(w, p);
      w.writeEndElement();  // tc
    }
    w.writeEndElement();  // tr
  }
  w.writeEndElement();  // tbl
}

QByteArray Documento::Dati::ScriviDocumento() const {
  QByteArray out;
  out.reserve(64 * 1024);
  QXmlStreamWriter w(&out);
  w.writeStartDocument(QStringLiteral("1.0"), true);
  DichiaraPrefissi(w);
  w.writeStartElement(ns::W, QStringLiteral("document"));
  for (const AttributoXml& a : radiceDocumento.attributi)
    if (!a.ns.isEmpty() && a.ns != QLatin1String("http://schemas.openxmlformats.org/markup-compatibility/2006"))
      w.writeAttribute(a.ns, a.nome, a.valore);
  for (const NodoXml& c : radiceDocumento.figli)
    if (!c.E(ns::W, QStringLiteral("body"))) c.Scrivi(w);  // a background, for one
  w.writeStartElement(ns::W, QStringLiteral("body"));
  for (const Blocco& b : corpo) {
    if (auto* p = std::get_if<Paragrafo>(&b)) ScriviParagrafo(w, *p);
    else if (auto* t = std::get_if<Tabella>(&b)) ScriviTabella(w, *t);
    else std::get<NodoXml>(b).Scrivi(w);
  }
  if (haSezione) sezione.Scrivi(w);
  w.writeEndElement();
  w.writeEndElement();
  w.writeEndDocument();
  return out;
}

Pacchetto Documento::Componi() const {
  Pacchetto p = d_->pacchetto;
  p.Imposta(d_->partePrincipale, d_->ScriviDocumento());

  // Relations of the body.
  {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeDefaultNamespace(ns::REL);
    w.writeStartElement(ns::REL, QStringLiteral("Relationships"));
    for (const Relazione& r : d_->relazioni) {
      w.writeEmptyElement(ns::REL, QStringLiteral("Relationship"));
      w.writeAttribute(QStringLiteral("Id"), r.id);
      w.writeAttribute(QStringLiteral("Type"), r.tipo);
      w.writeAttribute(QStringLiteral("Target"), r.destinazione);
      if (r.esterna) w.writeAttribute(QStringLiteral("TargetMode"), QStringLiteral("External"));
    }
    w.writeEndElement();
    w.writeEndDocument();
    p.Imposta(RelsDi(d_->partePrincipale), out);
  }

  // Content types of the pictures.
  const QString ct = QStringLiteral("[Content_Types].xml");
  NodoXml tipi = p.Ha(ct) ? LeggiXml(p.Parte(ct), ct) : NodoXml{false, ns::CT, QStringLiteral("Types"), {}, {}, {}};
  bool cambiato = false;
  for (const auto& [est, mime] : {std::pair{QStringLiteral("png"), QStringLiteral("image/png")},
                                  std::pair{QStringLiteral("jpeg"), QStringLiteral("image/jpeg")},
                                  std::pair{QStringLiteral("jpg"), QStringLiteral("image/jpeg")}}) {
    bool presente = false;
    for (const NodoXml& n : tipi.figli)
      if (n.nome == QLatin1String("Default") && n.Attributo({}, QStringLiteral("Extension")).toLower() == est) presente = true;
    if (presente) continue;
    NodoXml d{false, ns::CT, QStringLiteral("Default"), {}, {}, {}};
    d.attributi = {{{}, QStringLiteral("Extension"), est}, {{}, QStringLiteral("ContentType"), mime}};
    tipi.figli.insert(tipi.figli.begin(), std::move(d));
    cambiato = true;
  }
  if (cambiato) p.Imposta(ct, ScriviXml(tipi));
  return p;
}

void Documento::Salva(const QString& percorso) const {
  const QByteArray dati = Componi().Comprimi();
  QSaveFile f(percorso);
  if (!f.open(QIODevice::WriteOnly) || f.write(dati) != dati.size() || !f.commit())
    throw ErroreDocumento(QStringLiteral("The document %1 cannot be written (%2).").arg(percorso, f.errorString()));
}

}  // namespace rapporto
