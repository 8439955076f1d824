// The document written out: its XML, relations, content types and package.
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "report/documento_interno.h"

namespace rapporto {
namespace {

void ScriviCarattere(QXmlStreamWriter& w, const Carattere& c) {
  w.writeStartElement(ns::W, QStringLiteral("rPr"));
  if (!c.nome.isEmpty()) {
    w.writeEmptyElement(ns::W, QStringLiteral("rFonts"));
    for (const char* a : {"ascii", "hAnsi", "cs", "eastAsia"})
      w.writeAttribute(ns::W, QLatin1String(a), c.nome);
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
  for (const char* d : {"distT", "distB", "distL", "distR"})
    w.writeAttribute(QLatin1String(d), QStringLiteral("0"));
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
  w.writeAttribute(
      ns::W, QStringLiteral("val"),
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
      case Pezzo::Tipo::Tab:
        w.writeEmptyElement(ns::W, QStringLiteral("tab"));
        break;
      case Pezzo::Tipo::Pagina:
        w.writeEmptyElement(ns::W, QStringLiteral("br"));
        w.writeAttribute(ns::W, QStringLiteral("type"), QStringLiteral("page"));
        break;
      case Pezzo::Tipo::Immagine:
        ScriviImmagine(w, z.img);
        break;
    }
    w.writeEndElement();
  }
  w.writeEndElement();
}

// The advance widths of a run's face at its size, in twips.  The face is the
// run's own or the letterhead's (Arial, 10 pt); it is measured large and
// unhinted, as a page is laid out, and scaled to the run's size.  Without a
// font database (no GUI application) a generous average glyph stands in.
class Metrica {
 public:
  explicit Metrica(const Carattere& c) : punti_(c.punti > 0 ? c.punti : 10), grassetto_(c.grassetto) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    QFont f(c.nome.isEmpty() ? QStringLiteral("Arial") : c.nome);
    f.setPixelSize(kPixel);
    f.setBold(c.grassetto);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    fm_.emplace(f);
  }
  double Larghezza(const QString& s) const {
    if (s.isEmpty()) return 0;
    if (!fm_) return static_cast<double>(s.size()) * punti_ * (grassetto_ ? 0.7 : 0.65) * kTwipPerPunto;
    return fm_->horizontalAdvance(s) * punti_ * kTwipPerPunto / kPixel;
  }

 private:
  static constexpr int kPixel = 200;
  double punti_;
  bool grassetto_;
  std::optional<QFontMetricsF> fm_;
};

// Widths in twips of a paragraph: its longest line and its longest word
// (the narrowest it can be without breaking a word), measured with the
// face's own metrics.
struct Misura {
  int riga = 0, parola = 0;
};

Misura MisuraTesto(const Paragrafo& p) {
  double riga = 0, massima = 0, parola = 0, parolaMassima = 0;
  for (const Pezzo& z : p.pezzi) {
    switch (z.tipo) {
      case Pezzo::Tipo::Testo: {
        const Metrica m(z.car);
        const QStringList parti = z.testo.split(QLatin1Char(' '));
        for (qsizetype i = 0; i < parti.size(); ++i) {
          if (i > 0) {
            riga += m.Larghezza(QStringLiteral(" "));
            parola = 0;
          }
          const double w = m.Larghezza(parti[i]);
          riga += w;
          parola += w;
          parolaMassima = std::max(parolaMassima, parola);
        }
        break;
      }
      case Pezzo::Tipo::Tab:
        riga += 720;
        parola = 0;
        break;
      case Pezzo::Tipo::Pagina:
        break;
      case Pezzo::Tipo::Immagine:
        riga += z.img.cx / kEmuPerTwip;
        parolaMassima = std::max(parolaMassima, static_cast<double>(z.img.cx / kEmuPerTwip));
        parola = 0;
        break;
    }
    massima = std::max(massima, riga);
  }
  return {static_cast<int>(std::ceil(massima)), static_cast<int>(std::ceil(parolaMassima))};
}

// Room a cell's text gets beyond its measured width, for the rounding of a
// page's layout (twips).
constexpr int kAgio = 30;

}  // namespace

// ---- Output ----

std::vector<int> Documento::Dati::Colonne(const Tabella& t, int* margine) const {
  const int n = std::max(1, t.colonne);
  *margine = kMargineCella;
  std::vector<int> col(n, larghezzaTesto / n);
  if (t.larghezze == Larghezze::Fisse) return col;
  // Fitted: each column as wide as its longest text, merged cells spread
  // over the columns they cover.  When that is wider than the text width,
  // every column keeps at least its longest word and the rest is shared in
  // proportion to what each would need more.  Narrower cell margins come
  // first, while they keep every text on one line, and again when the words
  // alone do not fit (a wide grid): a word is never split.
  std::vector<int> testo(n, 120), parole(n, 120);
  std::vector<std::pair<std::pair<int, int>, int>> unite;  // (first, span) -> width
  for (const Riga& r : t.righe) {
    int c = 0;
    for (const Cella& cella : r.celle) {
      Misura m;
      for (const Paragrafo& p : cella.par) {
        const Misura mp = MisuraTesto(p);
        m = {std::max(m.riga, mp.riga), std::max(m.parola, mp.parola)};
      }
      if (c < n) {
        if (cella.span == 1) {
          testo[c] = std::max(testo[c], m.riga + kAgio);
          parole[c] = std::max(parole[c], m.parola + kAgio);
        } else {
          unite.push_back({{c, std::min(cella.span, n - c)}, m.riga + kAgio});
        }
      }
      c += cella.span;
    }
  }
  for (const auto& [pos, larga] : unite) {
    int somma = 0;
    for (int i = 0; i < pos.second; ++i) somma += testo[pos.first + i];
    if (somma < larga)
      for (int i = 0; i < pos.second; ++i)
        testo[pos.first + i] += (larga - somma + pos.second - 1) / pos.second;
  }
  long totale = 0, minimo = 0;
  for (int i = 0; i < n; ++i) {
    totale += testo[i];
    minimo += parole[i];
  }
  const int margini[] = {kMargineCella, kMargineCella / 2, kMargineCella / 4};
  for (int m : margini) {
    *margine = m;
    for (int i = 0; i < n; ++i) col[i] = testo[i] + 2 * m;
    if (totale + 2L * m * n <= larghezzaTesto) return col;
  }
  for (int m : margini) {
    *margine = m;
    const long tot = totale + 2L * m * n, min = minimo + 2L * m * n;
    if (min < larghezzaTesto) {
      for (int i = 0; i < n; ++i)
        col[i] = parole[i] + 2 * m +
                 static_cast<int>((testo[i] - parole[i]) * (larghezzaTesto - min) / (tot - min));
      return col;
    }
  }
  // Words too long for the text width even with the narrowest margins: the
  // table runs past the right margin rather than breaking a word.
  for (int i = 0; i < n; ++i) col[i] = parole[i] + 2 * *margine;
  return col;
}

void Documento::Dati::ScriviTabella(QXmlStreamWriter& w, const Tabella& t) const {
  int margine = kMargineCella;
  const std::vector<int> col = Colonne(t, &margine);
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
    attr("w", QString::number(margine));
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
    if (!a.ns.isEmpty() &&
        a.ns != QLatin1String("http://schemas.openxmlformats.org/markup-compatibility/2006"))
      w.writeAttribute(a.ns, a.nome, a.valore);
  for (const NodoXml& c : radiceDocumento.figli)
    if (!c.E(ns::W, QStringLiteral("body"))) c.Scrivi(w);  // a background, for one
  w.writeStartElement(ns::W, QStringLiteral("body"));
  for (const Blocco& b : corpo) {
    if (auto* p = std::get_if<Paragrafo>(&b))
      ScriviParagrafo(w, *p);
    else if (auto* t = std::get_if<Tabella>(&b))
      ScriviTabella(w, *t);
    else
      std::get<NodoXml>(b).Scrivi(w);
  }
  if (haSezione) sezione.Scrivi(w);
  w.writeEndElement();
  w.writeEndElement();
  w.writeEndDocument();
  ControllaScrittura(w, partePrincipale);
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
    ControllaScrittura(w, RelsDi(d_->partePrincipale));
    p.Imposta(RelsDi(d_->partePrincipale), out);
  }

  // Content types of the pictures.
  const QString ct = QStringLiteral("[Content_Types].xml");
  NodoXml tipi =
      p.Ha(ct) ? LeggiXml(p.Parte(ct), ct) : NodoXml{false, ns::CT, QStringLiteral("Types"), {}, {}, {}};
  bool cambiato = false;
  for (const auto& [est, mime] : {std::pair{QStringLiteral("png"), QStringLiteral("image/png")},
                                  std::pair{QStringLiteral("jpeg"), QStringLiteral("image/jpeg")},
                                  std::pair{QStringLiteral("jpg"), QStringLiteral("image/jpeg")}}) {
    bool presente = false;
    for (const NodoXml& n : tipi.figli)
      if (n.nome == QLatin1String("Default") && n.Attributo({}, QStringLiteral("Extension")).toLower() == est)
        presente = true;
    if (presente) continue;
    NodoXml d{false, ns::CT, QStringLiteral("Default"), {}, {}, {}};
    d.attributi = {{{}, QStringLiteral("Extension"), est}, {{}, QStringLiteral("ContentType"), mime}};
    tipi.figli.insert(tipi.figli.begin(), std::move(d));
    cambiato = true;
  }
  if (cambiato) p.Imposta(ct, ScriviXml(tipi));
  return p;
}

QByteArray Documento::File() const {
  const QByteArray dati = Componi().Comprimi();
  const Pacchetto letto = Pacchetto::DaDati(dati, d_->nome, std::numeric_limits<qint64>::max() / 8);
  if (!letto.Ha(d_->partePrincipale))
    throw ErroreDocumento(QStringLiteral("The document written lacks its part %1.").arg(d_->partePrincipale));
  for (const auto& [parte, contenuto] : letto.Parti())
    if (ParteXml(parte)) ControllaXml(contenuto, parte);
  return dati;
}

void Documento::Salva(const QString& percorso) const {
  const QByteArray dati = File();
  QSaveFile f(percorso);
  if (!f.open(QIODevice::WriteOnly) || f.write(dati) != dati.size() || !f.commit())
    throw ErroreDocumento(
        QStringLiteral("The document %1 cannot be written (%2).").arg(percorso, f.errorString()));
}

}  // namespace rapporto
