// Reading a written document back for the tests: its body as a list of
// compact lines, one per paragraph or table, in document order.
//   paragraph: "p:" + its text, a tab as \t, a picture as [img WxH mm],
//              a page break as [page]; "p!" instead of "p:" when centred
//   table:     "tbl{" rows joined by " | ", cells by " / ", a merged cell
//              followed by "<span N>", bold cell text in *stars* "}"
#pragma once

#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include "report/nodi_xml.h"
#include "report/pacchetto.h"

namespace test {

inline QString TestoCella(const rapporto::NodoXml& n, bool& grassetto);

inline QString TestoParagrafo(const rapporto::NodoXml& p, bool* grassetto = nullptr) {
  using namespace rapporto;
  QString t;
  bool tuttoGrassetto = true, qualcosa = false;
  for (const NodoXml& r : p.figli) {
    if (!r.E(ns::W, QStringLiteral("r"))) continue;
    bool b = false;
    if (const NodoXml* rpr = r.Figlio(ns::W, QStringLiteral("rPr")))
      if (const NodoXml* bn = rpr->Figlio(ns::W, QStringLiteral("b")))
        b = bn->Attributo(ns::W, QStringLiteral("val")) != QLatin1String("0");
    for (const NodoXml& c : r.figli) {
      if (c.E(ns::W, QStringLiteral("t"))) {
        for (const NodoXml& x : c.figli) t += x.valore;
        qualcosa = true;
        tuttoGrassetto = tuttoGrassetto && b;
      } else if (c.E(ns::W, QStringLiteral("tab"))) {
        t += QLatin1Char('\t');
      } else if (c.E(ns::W, QStringLiteral("br"))) {
        t += QStringLiteral("[page]");
      } else if (c.E(ns::W, QStringLiteral("drawing"))) {
        const NodoXml* in = c.Figlio(ns::WP, QStringLiteral("inline"));
        const NodoXml* ex = in ? in->Figlio(ns::WP, QStringLiteral("extent")) : nullptr;
        const int l = ex ? static_cast<int>(ex->Attributo({}, QStringLiteral("cx")).toLongLong() / 36000) : 0;
        const int a = ex ? static_cast<int>(ex->Attributo({}, QStringLiteral("cy")).toLongLong() / 36000) : 0;
        t += QStringLiteral("[img %1x%2 mm]").arg(l).arg(a);
      }
    }
  }
  if (grassetto) *grassetto = qualcosa && tuttoGrassetto;
  return t;
}

inline QString RigaCorpo(const rapporto::NodoXml& b) {
  using namespace rapporto;
  if (b.E(ns::W, QStringLiteral("p"))) {
    bool centro = false;
    if (const NodoXml* ppr = b.Figlio(ns::W, QStringLiteral("pPr")))
      if (const NodoXml* jc = ppr->Figlio(ns::W, QStringLiteral("jc")))
        centro = jc->Attributo(ns::W, QStringLiteral("val")) == QLatin1String("center");
    return (centro ? QStringLiteral("p!") : QStringLiteral("p:")) + TestoParagrafo(b);
  }
  if (b.E(ns::W, QStringLiteral("tbl"))) {
    QStringList righe;
    for (const NodoXml& tr : b.figli) {
      if (!tr.E(ns::W, QStringLiteral("tr"))) continue;
      QStringList celle;
      for (const NodoXml& tc : tr.figli) {
        if (!tc.E(ns::W, QStringLiteral("tc"))) continue;
        QStringList par;
        bool tuttoGrassetto = true, qualcosa = false;
        for (const NodoXml& p : tc.figli)
          if (p.E(ns::W, QStringLiteral("p"))) {
            bool g = false;
            const QString t = TestoParagrafo(p, &g);
            if (!t.isEmpty()) {
              par << t;
              qualcosa = true;
              tuttoGrassetto = tuttoGrassetto && g;
            }
          }
        QString c = par.join(QLatin1Char('~'));
        if (qualcosa && tuttoGrassetto) c = QLatin1Char('*') + c + QLatin1Char('*');
        if (const NodoXml* tcpr = tc.Figlio(ns::W, QStringLiteral("tcPr")))
          if (const NodoXml* gs = tcpr->Figlio(ns::W, QStringLiteral("gridSpan")))
            c += QStringLiteral("<span ") + gs->Attributo(ns::W, QStringLiteral("val")) + QLatin1Char('>');
        celle << c;
      }
      righe << celle.join(QStringLiteral(" / "));
    }
    return QStringLiteral("tbl{") + righe.join(QStringLiteral(" | ")) + QLatin1Char('}');
  }
  return QStringLiteral("?") + b.nome;
}

// The body of a package's document, paragraphs with nothing in them left out.
inline QStringList Corpo(const rapporto::Pacchetto& p) {
  using namespace rapporto;
  const NodoXml doc = LeggiXml(p.Parte(QStringLiteral("word/document.xml")), QStringLiteral("document"));
  QStringList out;
  const NodoXml* body = doc.Figlio(ns::W, QStringLiteral("body"));
  if (!body) return out;
  for (const NodoXml& b : body->figli) {
    if (b.testo || b.E(ns::W, QStringLiteral("sectPr"))) continue;
    const QString r = RigaCorpo(b);
    if (r == QLatin1String("p:") || r == QLatin1String("p!")) continue;
    out << r;
  }
  return out;
}

// Whether the bytes are well-formed XML.
inline bool XmlValido(const QByteArray& dati) {
  QXmlStreamReader r(dati);
  while (!r.atEnd()) r.readNext();
  return !r.hasError();
}

}  // namespace test
