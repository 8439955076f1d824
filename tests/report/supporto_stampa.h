// A program folder with the report's letterhead, pictures and tender texts,
// a selection window after a run, and the print dialog that reports on it.
#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <set>

#include "platform/shell.h"
#include "report/documento.h"
#include "report/fstampa.h"
#include "report/pacchetto.h"
#include "tests/report/lettura_docx.h"
#include "tests/selection/supporto_selezione.h"

namespace test {

class ConStampa : public ConProgramma {
 protected:
  void SetUp() override {
    ConProgramma::SetUp();
    CopiaCartella(QStringLiteral(PROGRAM_DIR));
    uscita = core::imp.CartellaOutput;
    plat::ImpostaShell([this](const QString& p) {
      aperti << p;
      return esitoShell;
    });
  }
  QByteArray Ini() override {
    return "[Common]\r\nMulti= 1\r\nDefault=ENG\r\nOutputDir=Documenti\r\n[Unmis]\r\nQa= 2\r\nQw= 1\r\n"
           "[Lingue]\r\nL0=ITA\r\nL1=ENG\r\nL2=FRA\r\n";
  }
  void TearDown() override {
    plat::ImpostaShell({});
    ConProgramma::TearDown();
  }
  // The report's files of the program folder, copied beside the test's database.
  void CopiaCartella(const QString& da) {
    ASSERT_TRUE(
        QFile::copy(da + QStringLiteral("/intest.docx"), dir.filePath(QStringLiteral("intest.docx"))));
    for (const char* sotto : {"FotoW", "dimensionali", "Descrizioni", "Schemi"}) {
      const QString s = QString::fromLatin1(sotto);
      QDir().mkpath(dir.filePath(s));
      QDirIterator it(da + QLatin1Char('/') + s, QDir::Files);
      while (it.hasNext()) {
        it.next();
        ASSERT_TRUE(QFile::copy(it.filePath(), dir.filePath(s + QLatin1Char('/') + it.fileName())));
      }
    }
  }
  // Opens the print dialog of window f with the boxes ticked.
  rapporto::FormStampa& Dialogo(sel::FinestraSelezione& f, const std::vector<int>& sezioni) {
    f.cmdStampa->click();
    rapporto::FormStampa& s = rapporto::FStampa();
    for (int k = 0; k < 6; ++k) s.chkSelez(k)->SetValue(0);
    for (int k : sezioni) s.chkSelez(k)->SetValue(1);
    return s;
  }
  // Prints and reads the saved document back (empty when none was saved).
  QStringList Stampa(rapporto::FormStampa& s) {
    reg.Svuota();
    QDir(uscita).removeRecursively();
    s.cmdStampa->click();
    const QStringList doc = QDir(uscita).entryList({QStringLiteral("Doc*.docx")}, QDir::Files);
    if (doc.size() != 1) return {};
    pacchetto = rapporto::Pacchetto::Leggi(QDir(uscita).filePath(doc[0]));
    return Corpo(pacchetto);
  }
  // The font sizes (points) of the texts in each table of the last document.
  std::vector<std::set<double>> DimensioniTabelle() const {
    using namespace rapporto;
    std::vector<std::set<double>> out;
    NodoXml doc = LeggiXml(pacchetto.Parte(QStringLiteral("word/document.xml")), QStringLiteral("document"));
    NodoXml* body = doc.Figlio(ns::W, QStringLiteral("body"));
    for (NodoXml& b : body->figli) {
      if (!b.E(ns::W, QStringLiteral("tbl"))) continue;
      std::set<double> d;
      b.Visita([&d](NodoXml& r) {
        if (!r.E(ns::W, QStringLiteral("r")) || !r.Figlio(ns::W, QStringLiteral("t"))) return;
        const NodoXml* rpr = r.Figlio(ns::W, QStringLiteral("rPr"));
        const NodoXml* sz = rpr ? rpr->Figlio(ns::W, QStringLiteral("sz")) : nullptr;
        d.insert(sz ? sz->Attributo(ns::W, QStringLiteral("val")).toDouble() / 2 : 0);
      });
      out.push_back(d);
    }
    return out;
  }
  // The messages shown, their texts.
  QStringList Messaggi() const {
    QStringList t;
    for (const auto& m : reg.messaggi) t << m.testo;
    return t;
  }
  // The tables of a body, each as rows of cells.
  static std::vector<std::vector<QStringList>> Tabelle(const QStringList& corpo) {
    std::vector<std::vector<QStringList>> t;
    for (const QString& r : corpo) {
      if (!r.startsWith(QLatin1String("tbl{"))) continue;
      std::vector<QStringList> righe;
      for (const QString& riga : r.mid(4, r.size() - 5).split(QStringLiteral(" | ")))
        righe.push_back(riga.split(QStringLiteral(" / ")));
      t.push_back(righe);
    }
    return t;
  }

  rapporto::Pacchetto pacchetto;
  QString uscita;      // the output folder of the settings
  QStringList aperti;  // the documents shown
  int esitoShell = 42;
};

}  // namespace test
