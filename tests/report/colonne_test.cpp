// Fitted table columns: as wide as their texts, never narrower than their
// longest word as the page's face lays it out.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>

#include "report/documento.h"
#include "report/nodi_xml.h"
#include "tests/support/supporto.h"

namespace {

using namespace rapporto;

struct Misure {
  std::vector<int> colonne;
  int margine = 0;
};

// The widths of the document's last table (twips) and its cell margin.
Misure UltimaTabella(const Documento& d) {
  NodoXml doc = LeggiXml(d.Componi().Parte(QStringLiteral("word/document.xml")), QStringLiteral("document"));
  Misure m;
  doc.Visita([&m](NodoXml& n) {
    if (!n.E(ns::W, QStringLiteral("tbl"))) return;
    m = {};
    n.Visita([&m](NodoXml& x) {
      if (x.E(ns::W, QStringLiteral("gridCol")))
        m.colonne.push_back(x.Attributo(ns::W, QStringLiteral("w")).toInt());
      if (x.E(ns::W, QStringLiteral("tblCellMar")))
        m.margine = x.Figlio(ns::W, QStringLiteral("left"))->Attributo(ns::W, QStringLiteral("w")).toInt();
    });
  });
  return m;
}

// The width in twips of a word in the letterhead's face (Arial) as a page
// lays it out: unhinted advances scaled to the size.
double Larghezza(const QString& parola, double punti, bool grassetto) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(1000);
  f.setBold(grassetto);
  f.setHintingPreference(QFont::PreferNoHinting);
  return QFontMetricsF(f).horizontalAdvance(parola) * punti * 20 / 1000;
}

double ParolaPiuLarga(const QString& testo, double punti, bool grassetto) {
  double massima = 0;
  for (const QString& p : testo.split(QLatin1Char(' ')))
    massima = std::max(massima, Larghezza(p, punti, grassetto));
  return massima;
}

TEST(Colonne, ParoleIntereAncheOltreLaLarghezzaDelTesto) {
  const struct {
    const char* nome;
    int colonne;
    double punti;
    // The texts of the bold first row and of the second, column by column
    // ('|' between columns, the last one repeated).
    const char *intestazione, *testo;
    int margine;   // the cell margin the table takes
    bool unaRiga;  // every text on one line
    bool entro;    // within the text width
  } casi[] = {
      {"a few short columns keep their texts' widths", 3, 10, "T", "27 \u00B0C", 108, true, true},
      {"a results grid of an EC window in small print", 15, 8,
       "Model|SPEED|Vin|PT|PS|QW (C)|DPW (C)|TA (C)|PH|QW (H)|DPW (H)|TA (H)|LW|LP|Pin",
       "DVKBLDC 30|1334|8.9|12740|12470|1471|15|17.5|17100|1623|17|46.3|63.1|49.1|188.0", 54, true, true},
      {"a wide grid of numbers narrows its margins, not its numbers", 16, 8, "QA", "12390", 54, true, true},
      {"a wider one still keeps its numbers whole", 18, 8, "Pin", "12390", 27, true, true},
      {"long sentences break at their blanks", 4, 10, "Water", "Water outlet temperature of the heating coil",
       108, false, true},
      {"words wider than the page run past its margin, whole", 6, 10, "SUPERCALIFRAGILISTIC",
       "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 27, false, false},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    Documento d = Documento::DaModello(QStringLiteral(PROGRAM_DIR "/intest.docx"));
    d.ImpostaDimensione(c.punti);
    const int t = d.AggiungiTabella(2, c.colonne, Larghezze::Adattate);
    const QStringList intestazioni = QString::fromUtf8(c.intestazione).split(QLatin1Char('|')),
                      testi = QString::fromUtf8(c.testo).split(QLatin1Char('|'));
    auto di = [](const QStringList& l, int k) { return l[std::min<qsizetype>(k, l.size() - 1)]; };
    for (int k = 0; k < c.colonne; ++k) {
      d.AccodaACella(t, 1, k + 1, di(intestazioni, k));
      d.AccodaACella(t, 2, k + 1, di(testi, k));
    }
    d.AdattaColonne(t);
    d.RigaInGrassetto(t, 1);
    const Misure m = UltimaTabella(d);
    ASSERT_EQ(static_cast<int>(m.colonne.size()), c.colonne);
    EXPECT_EQ(m.margine, c.margine);
    int totale = 0;
    for (int k = 0; k < c.colonne; ++k) {
      totale += m.colonne[k];
      const double parola = std::max(ParolaPiuLarga(di(intestazioni, k), c.punti, true),
                                     ParolaPiuLarga(di(testi, k), c.punti, false));
      EXPECT_GE(m.colonne[k], parola + 2 * m.margine) << k;
      if (c.unaRiga) {
        EXPECT_GE(m.colonne[k], Larghezza(di(testi, k), c.punti, false) + 2 * m.margine) << k;
      }
    }
    EXPECT_EQ(totale <= 9638, c.entro) << totale;  // the letterhead's text width, 17 cm
  }
}

}  // namespace
