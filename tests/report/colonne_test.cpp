// Fitted table columns: as wide as their texts, never narrower than their
// longest word while the words can fit the text width.
#include <gtest/gtest.h>

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

TEST(Colonne, ParoleInteraFinoAllaLarghezzaDelTesto) {
  const struct {
    const char* nome;
    int colonne;
    double punti;
    const char* testo;
    int margine;    // the cell margin the table takes
    double minima;  // the narrowest a column may be (its word with the margins)
  } casi[] = {
      {"a few short columns keep their texts' widths", 3, 10, "27 \u00B0C", 108, 0},
      {"a wide grid of numbers narrows its margins, not its numbers", 16, 8, "12390", 54, 5 * 8 * 0.53 * 20},
      {"a wider one still keeps its numbers whole", 18, 8, "12390", 27, 5 * 8 * 0.53 * 20},
      {"long sentences break at their blanks", 4, 10, "Water outlet temperature of the heating coil", 108,
       11 * 10 * 0.53 * 20},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    Documento d = Documento::DaModello(QStringLiteral(PROGRAM_DIR "/intest.docx"));
    d.ImpostaDimensione(c.punti);
    const int t = d.AggiungiTabella(2, c.colonne, Larghezze::Adattate);
    for (int r = 1; r <= 2; ++r)
      for (int k = 1; k <= c.colonne; ++k) d.AccodaACella(t, r, k, QString::fromUtf8(c.testo));
    d.AdattaColonne(t);
    const Misure m = UltimaTabella(d);
    ASSERT_EQ(static_cast<int>(m.colonne.size()), c.colonne);
    EXPECT_EQ(m.margine, c.margine);
    int totale = 0;
    for (int w : m.colonne) {
      totale += w;
      EXPECT_GE(w, c.minima + 2 * c.margine);
    }
    EXPECT_LE(totale, 9700);  // the template's text width, about 17 cm
  }
}

}  // namespace
