// The inside of the document writer, shared by its three sources: the
// document as the writer holds it (paragraphs, tables and the parts kept
// whole), the insertion point, and the helpers on package parts.
#pragma once

#include <QString>
#include <QXmlStreamWriter>
#include <memory>
#include <variant>
#include <vector>

#include "report/documento.h"
#include "report/nodi_xml.h"
#include "report/pacchetto.h"

namespace rapporto {
namespace interno {

inline constexpr int kTwipPerPunto = 20;
inline constexpr double kEmuPerTwip = 635.0;
inline constexpr int kMargineCella = 108;  // twips each side, the tables' default cell margin
inline const QString kTipoImmagine =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/image");
inline const QString kTipoCollegamento =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink");
inline const QString kTipoDocumento =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument");

struct Carattere {
  QString nome;  // empty: the template's
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

inline QString Cartella(const QString& parte) {
  const int i = parte.lastIndexOf(QLatin1Char('/'));
  return i < 0 ? QString() : parte.left(i + 1);
}

inline QString RelsDi(const QString& parte) {
  const int i = parte.lastIndexOf(QLatin1Char('/'));
  return parte.left(i + 1) + QStringLiteral("_rels/") + parte.mid(i + 1) + QStringLiteral(".rels");
}

// A target relative to the folder of its source part, as a part name.
inline QString Risolvi(const QString& cartella, const QString& destinazione) {
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

inline std::vector<Relazione> LeggiRelazioni(const Pacchetto& p, const QString& parte) {
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

inline QString ParteprincipaleDi(const Pacchetto& p, const QString& nomeFile) {
  for (const Relazione& r : LeggiRelazioni(p, QString()))
    if (r.tipo == kTipoDocumento) return Risolvi(QString(), r.destinazione);
  if (p.Ha(QStringLiteral("word/document.xml"))) return QStringLiteral("word/document.xml");
  throw ErroreDocumento(QStringLiteral("The document %1 has no main part.").arg(nomeFile));
}

// Whether a kept block holds anything a reader would show.
inline bool HaContenuto(const NodoXml& n) {
  if (n.testo) return !n.valore.trimmed().isEmpty();
  if (n.ns == ns::W &&
      (n.nome == QLatin1String("tbl") || n.nome == QLatin1String("drawing") ||
       n.nome == QLatin1String("pict") || n.nome == QLatin1String("br") || n.nome == QLatin1String("object")))
    return true;
  for (const NodoXml& c : n.figli)
    if (HaContenuto(c)) return true;
  return false;
}

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

}  // namespace interno

using namespace interno;

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

  // The column widths of a table in twips and the cell margin (each side)
  // that lets its words fit the text width.
  std::vector<int> Colonne(const Tabella& t, int* margine) const;
  QByteArray ScriviDocumento() const;
  void ScriviTabella(QXmlStreamWriter& w, const Tabella& t) const;
};

}  // namespace rapporto
