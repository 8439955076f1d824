// The document writer: what it writes, read back from the package.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <functional>

#include "report/documento.h"
#include "tests/report/lettura_docx.h"
#include "tests/support/supporto.h"

namespace {

using rapporto::Allineamento;
using rapporto::Documento;
using rapporto::ErroreDocumento;
using rapporto::Larghezze;
using rapporto::Pacchetto;

const QString kCarta = QStringLiteral(PROGRAM_DIR "/intest.docx");

QString Immagine(const QTemporaryDir& dir, const QString& nome, int larga, int alta, int dpi) {
  QImage img(larga, alta, QImage::Format_RGB32);
  img.fill(Qt::darkCyan);
  img.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
  img.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
  const QString percorso = dir.filePath(nome);
  img.save(percorso);
  return percorso;
}

struct Caso {
  const char* nome;
  std::function<void(Documento&, const QTemporaryDir&)> scrivi;
  QStringList atteso;
};

class Scrittore : public ::testing::Test {
 protected:
  QTemporaryDir dir;
};

TEST_F(Scrittore, ScriveTestiTabelleUnioniEImmaginiInOrdine) {
  const std::vector<Caso> casi = {
      {"testo con tabulazione e paragrafi",
       [](Documento& d, const QTemporaryDir&) {
         d.ScriviTesto(QStringLiteral("Date :\t08/12/2026"));
         d.NuovoParagrafo();
         d.ImpostaAllineamento(Allineamento::Centro);
         d.ScriviTesto(QStringLiteral("Titolo °C"));
         d.NuovoParagrafo();
         d.ScriviTesto(QStringLiteral("centrato anche questo"));
       },
       {"p:Date :\t08/12/2026", "p!Titolo °C", "p!centrato anche questo"}},
      {"una riga in più dall'ultima cella, poi la fine del documento",
       [](Documento& d, const QTemporaryDir&) {
         EXPECT_EQ(d.AggiungiTabella(1, 2, Larghezze::Adattate), 1);
         d.ScriviTesto(QStringLiteral("a"));
         d.CellaSuccessiva();
         d.ScriviTesto(QStringLiteral("b"));
         d.CellaSuccessiva();
         d.ScriviTesto(QStringLiteral("c"));
         EXPECT_EQ(d.RigheTabella(1), 2);
         d.VaiAllaFine();
         d.ScriviTesto(QStringLiteral("dopo"));
       },
       {"tbl{a / b | c / }", "p:dopo"}},
      {"unioni, righe in grassetto, testo accodato alle celle",
       [](Documento& d, const QTemporaryDir&) {
         d.NuovoParagrafo();
         const int n = d.AggiungiTabella(3, 3, Larghezze::Adattate);
         for (const char* t : {" ", "Cooling", "Heating", "Return air", "", "", "Glycol", "10 %"}) {
           d.ScriviTesto(QString::fromUtf8(t));
           d.CellaSuccessiva();
         }
         d.VaiAllaFine();
         d.UnisciCelle(n, 2, 1, 3);
         d.UnisciCelle(n, 3, 2, 3);
         d.RigaInGrassetto(n, 1);
         d.RigaInGrassetto(n, 2);
         d.AccodaACella(n, 3, 2, QStringLiteral(" kept"));
       },
       {"tbl{* * / *Cooling* / *Heating* | *Return air*<span 3> | Glycol / 10 % kept<span 2>}"}},
      {"tabella dopo un paragrafo con testo; eliminata quella che contiene il punto",
       [](Documento& d, const QTemporaryDir&) {
         d.ScriviTesto(QStringLiteral("prima"));
         d.AggiungiTabella(1, 1, Larghezze::Fisse);
         d.ScriviTesto(QStringLiteral("sonda"));
         EXPECT_EQ(d.NumeroTabelle(), 1);
         d.EliminaTabellaCorrente();
         EXPECT_EQ(d.NumeroTabelle(), 0);
         EXPECT_FALSE(d.InTabella());
         d.ScriviTesto(QStringLiteral("dopo"));
       },
       {"p:prima", "p:dopo"}},
      {"immagine dalla risoluzione, limitata alla cella e al testo",
       [](Documento& d, const QTemporaryDir& dir) {
         d.AggiungiTabella(1, 2, Larghezze::Fisse);
         d.ScriviTesto(QStringLiteral("Series : X"));
         d.CellaSuccessiva();
         d.InserisciImmagine(
             Immagine(dir, "foto.png", 1200, 600, 96));  // 317 mm wide: clamped to half the text width
         d.VaiAllaFine();
         d.InserisciImmagine(Immagine(dir, "piccola.png", 300, 150, 150));  // 50.8 x 25.4 mm
         d.NuovoParagrafo();
         d.InserisciImmagine(Immagine(dir, "larga.jpg", 2400, 300, 96));  // clamped to the text width
       },
       {"tbl{Series : X / [img 81x40 mm]}", "p:[img 50x25 mm]", "p:[img 170x21 mm]"}},
      {"interruzione di pagina e a capo nel testo",
       [](Documento& d, const QTemporaryDir&) {
         d.ScriviTesto(QStringLiteral("uno"));
         d.InterruzionePagina();
         d.ScriviTesto(QStringLiteral("due\r\ntre\nquattro"));
       },
       {"p:uno[page]due", "p:tre", "p:quattro"}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Documento d = Documento::DaModello(kCarta);
    c.scrivi(d, dir);
    const Pacchetto p = d.Componi();
    EXPECT_TRUE(test::XmlValido(p.Parte(QStringLiteral("word/document.xml"))));
    EXPECT_EQ(test::Corpo(p), c.atteso);
  }
}

TEST_F(Scrittore, ConservaLePartiDelModelloEAggiungeLeImmaginiConLeRelazioni) {
  Documento d = Documento::DaModello(kCarta);
  d.ImpostaCarattere(QStringLiteral("Arial"));
  d.ImpostaDimensione(12);
  d.ImpostaGrassetto(true);
  d.ScriviTesto(QStringLiteral("x"));
  d.InserisciImmagine(Immagine(dir, "a.png", 40, 30, 96));
  d.InserisciImmagine(Immagine(dir, "b.jpg", 40, 30, 96));
  const QString file = dir.filePath(QStringLiteral("out.docx"));
  d.Salva(file);
  const Pacchetto p = Pacchetto::Leggi(file);
  for (const char* parte : {"[Content_Types].xml", "_rels/.rels", "word/document.xml",
                            "word/_rels/document.xml.rels", "word/styles.xml", "word/header1.xml",
                            "word/footer1.xml", "word/media/rapporto1.png", "word/media/rapporto2.jpeg"}) {
    EXPECT_TRUE(p.Ha(QString::fromLatin1(parte))) << parte;
    EXPECT_TRUE(test::XmlValido(p.Parte(QString::fromLatin1(parte))) ||
                QString::fromLatin1(parte).contains("media"))
        << parte;
  }
  const QString rel = QString::fromUtf8(p.Parte(QStringLiteral("word/_rels/document.xml.rels")));
  EXPECT_TRUE(rel.contains(QStringLiteral("header1.xml")));
  EXPECT_TRUE(rel.contains(QStringLiteral("Target=\"media/rapporto1.png\"")));
  EXPECT_TRUE(rel.contains(QStringLiteral("Target=\"media/rapporto2.jpeg\"")));
  const QString tipi = QString::fromUtf8(p.Parte(QStringLiteral("[Content_Types].xml")));
  EXPECT_TRUE(tipi.contains(QStringLiteral("image/png")));
  EXPECT_TRUE(tipi.contains(QStringLiteral("image/jpeg")));
  const QString doc = QString::fromUtf8(p.Parte(QStringLiteral("word/document.xml")));
  EXPECT_TRUE(doc.contains(QStringLiteral("w:headerReference")));  // the template's page set-up kept
  EXPECT_TRUE(doc.contains(QStringLiteral("<w:sz w:val=\"24\"/>")));
  EXPECT_TRUE(doc.contains(QStringLiteral("w:ascii=\"Arial\"")));
  // Each picture refers to the relation of its own part.
  EXPECT_EQ(doc.count(QStringLiteral("r:embed=\"")), 2);
}

TEST_F(Scrittore, InserisceIlCorpoDiUnAltroDocumentoConImmaginiEStili) {
  // Another document with a picture, a table and a style the template lacks.
  Documento altro = Documento::DaModello(kCarta);
  altro.ScriviTesto(QStringLiteral("Tender text"));
  altro.NuovoParagrafo();
  altro.InserisciImmagine(Immagine(dir, "t.png", 96, 48, 96));
  altro.NuovoParagrafo();
  altro.AggiungiTabella(1, 2, Larghezze::Fisse);
  altro.ScriviTesto(QStringLiteral("k"));
  altro.CellaSuccessiva();
  altro.ScriviTesto(QStringLiteral("v"));
  Pacchetto pa = altro.Componi();
  QByteArray stili = pa.Parte(QStringLiteral("word/styles.xml"));
  stili.replace("</w:styles>",
                "<w:style w:type=\"paragraph\" w:styleId=\"Capitolato\"><w:name w:val=\"Capitolato\"/>"
                "<w:basedOn w:val=\"Normal\"/></w:style></w:styles>");
  pa.Imposta(QStringLiteral("word/styles.xml"), stili);
  QByteArray corpo = pa.Parte(QStringLiteral("word/document.xml"));
  corpo.replace("<w:pPr>", "<w:pPr><w:pStyle w:val=\"Capitolato\"/>");
  pa.Imposta(QStringLiteral("word/document.xml"), corpo);
  const QString fileAltro = dir.filePath(QStringLiteral("capitolato.docx"));
  QFile f(fileAltro);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(pa.Comprimi());
  f.close();

  QGuiApplication::clipboard()->setText(QStringLiteral("the user's own"));
  Documento d = Documento::DaModello(kCarta);
  d.InserisciImmagine(Immagine(dir, "mia.png", 96, 96, 96));
  d.NuovoParagrafo();
  d.InserisciDocumento(fileAltro);
  d.VaiAllaFine();
  d.ScriviTesto(QStringLiteral("after"));
  const Pacchetto p = d.Componi();
  EXPECT_EQ(test::Corpo(p),
            (QStringList{"p:[img 25x25 mm]", "p:Tender text", "p:[img 25x12 mm]", "tbl{k / v}", "p:after"}));
  EXPECT_EQ(d.NumeroTabelle(), 1);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("the user's own"));
  // Two pictures, each its own media part and relation; the style copied.
  const QString rel = QString::fromUtf8(p.Parte(QStringLiteral("word/_rels/document.xml.rels")));
  EXPECT_TRUE(p.Ha(QStringLiteral("word/media/rapporto1.png")));
  EXPECT_TRUE(p.Ha(QStringLiteral("word/media/rapporto2.png")));
  EXPECT_EQ(rel.count(QStringLiteral("/image\"")), 2);
  const QString doc = QString::fromUtf8(p.Parte(QStringLiteral("word/document.xml")));
  for (const QString& id : {QStringLiteral("rIdM1"), QStringLiteral("rIdM2")}) {
    EXPECT_TRUE(doc.contains(QStringLiteral("r:embed=\"") + id + QLatin1Char('"'))) << id.toStdString();
    EXPECT_TRUE(rel.contains(QStringLiteral("Id=\"") + id + QLatin1Char('"'))) << id.toStdString();
  }
  EXPECT_TRUE(p.Parte(QStringLiteral("word/styles.xml")).contains("w:styleId=\"Capitolato\""));
  EXPECT_TRUE(test::XmlValido(p.Parte(QStringLiteral("word/styles.xml"))));
  // Unique picture ids across the two documents.
  EXPECT_TRUE(doc.contains(QStringLiteral("<wp:docPr id=\"1\"")));
  EXPECT_TRUE(doc.contains(QStringLiteral("<wp:docPr id=\"2\"")));
}

TEST_F(Scrittore, IlCorpoDelModelloRestaDopoIlTestoScrittoAllInizio) {
  Pacchetto p = Pacchetto::Leggi(kCarta);
  QByteArray doc = p.Parte(QStringLiteral("word/document.xml"));
  doc.replace("<w:body><w:p/>", "<w:body><w:p><w:r><w:t>Template text</w:t></w:r></w:p>");
  p.Imposta(QStringLiteral("word/document.xml"), doc);
  Documento d = Documento::DaPacchetto(p, QStringLiteral("modello"));
  d.ScriviTesto(QStringLiteral("typed first"));
  d.NuovoParagrafo();
  d.VaiAllaFine();
  d.ScriviTesto(QStringLiteral("at the end"));
  EXPECT_EQ(test::Corpo(d.Componi()), (QStringList{"p:typed first", "p:Template text", "p:at the end"}));
}

// Damaged templates, pictures and documents: a message naming the file,
// never a crash or a broken report.
TEST_F(Scrittore, UnFileRovinatoDaUnErroreCheLoNomina) {
  const QByteArray buono = [] {
    QFile f(kCarta);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  QByteArray alterato = buono;
  alterato[alterato.size() / 2] = static_cast<char>(alterato[alterato.size() / 2] ^ 0x55);
  Pacchetto senzaCorpo;
  senzaCorpo.Imposta(QStringLiteral("word/document.xml"),
                     "<w:document xmlns:w=\"" + rapporto::ns::W.toUtf8() + "\"><w:bodx/></w:document>");
  Pacchetto troppoProfondo;
  troppoProfondo.Imposta(QStringLiteral("word/document.xml"),
                         "<w:document xmlns:w=\"" + rapporto::ns::W.toUtf8() + "\"><w:body>" +
                             QByteArray("<w:p>").repeated(100000) + "</w:body></w:document>");
  Pacchetto xmlRotto;
  xmlRotto.Imposta(QStringLiteral("word/document.xml"), "<w:document><w:body>");
  // The letterhead with one part changed (empty bytes: the part removed).
  auto carta = [](std::initializer_list<std::pair<const char*, QByteArray>> cambi) {
    Pacchetto p = Pacchetto::Leggi(kCarta);
    for (const auto& [parte, dati] : cambi) {
      const QString nome = QString::fromLatin1(parte);
      if (dati.isEmpty())
        p.Togli(nome);
      else
        p.Imposta(nome, dati);
    }
    return p.Comprimi();
  };
  const QByteArray documento = Pacchetto::Leggi(kCarta).Parte(QStringLiteral("word/document.xml"));
  QByteArray attributi = "<w:document xmlns:w=\"" + rapporto::ns::W.toUtf8() + "\"><w:body><w:p";
  for (int i = 0; i < 100000; ++i) attributi += " a" + QByteArray::number(i) + "=\"1\"";
  attributi += "/></w:body></w:document>";
  const struct {
    const char* nome;
    QByteArray contenuto;
    bool soloModello = false;  // a tender text may lack what only a letterhead needs
  } file[] = {
      {"stili_rotti.docx", carta({{"word/styles.xml", "<w:styles xmlns:w=\"x\"><w:style>"}}), true},
      {"impostazioni_rotte.docx", carta({{"word/settings.xml", "<w:settings"}}), true},
      {"intestazione_rotta.docx", carta({{"word/header1.xml", "<w:hdr></w:ftr>"}}), true},
      {"senza_tipi.docx", carta({{"[Content_Types].xml", {}}}), true},
      {"senza_relazioni_pacchetto.docx", carta({{"_rels/.rels", {}}}), true},
      {"senza_relazioni_documento.docx", carta({{"word/_rels/document.xml.rels", {}}}), true},
      {"intestazione_senza_relazione.docx",
       carta({{"word/document.xml", QByteArray(documento).replace("r:id=\"rId3\"", "r:id=\"rId9\"")}}), true},
      {"intestazione_mancante.docx", carta({{"word/header1.xml", {}}}), true},
      {"troppi_attributi.docx", carta({{"word/document.xml", attributi}})},
      {"vuoto.docx", QByteArray()},
      {"vuoto.docx", QByteArray()},
      {"testo.docx", QByteArray("this is not a zip file at all")},
      {"troncato.docx", buono.left(buono.size() / 3)},
      {"alterato.docx", alterato},
      {"senza_corpo.docx", senzaCorpo.Comprimi()},
      {"xml_rotto.docx", xmlRotto.Comprimi()},
      {"troppo_profondo.docx", troppoProfondo.Comprimi()},
      {"zip_senza_documento.docx",
       [] {
         Pacchetto p;
         p.Imposta(QStringLiteral("a.txt"), "x");
         return p.Comprimi();
       }()},
  };
  QImage buona(10, 10, QImage::Format_RGB32);
  buona.fill(Qt::red);
  buona.save(dir.filePath(QStringLiteral("buona.png")));
  QFile b(dir.filePath(QStringLiteral("buona.png")));
  b.open(QIODevice::ReadOnly);
  const QByteArray png = b.readAll();
  const struct {
    const char* nome;
    QByteArray contenuto;
  } immagini[] = {
      {"troncata.png", png.left(png.size() / 2)},
      {"finta.png", QByteArray("GIF89a not really")},
      {"vuota.jpg", QByteArray()},
  };
  auto scrivi = [&](const char* nome, const QByteArray& c) {
    QFile f(dir.filePath(QString::fromLatin1(nome)));
    f.open(QIODevice::WriteOnly);
    f.write(c);
    return f.fileName();
  };
  for (const auto& c : file) {
    const QString percorso = scrivi(c.nome, c.contenuto);
    try {
      Documento::DaModello(percorso);
      ADD_FAILURE() << c.nome << " was accepted as a template";
    } catch (const ErroreDocumento& e) {
      EXPECT_TRUE(e.Testo().contains(QString::fromLatin1(c.nome))) << e.what();
    }
    if (c.soloModello) continue;
    Documento d = Documento::DaModello(kCarta);
    EXPECT_THROW(d.InserisciDocumento(percorso), ErroreDocumento) << c.nome;
  }
  for (const auto& c : immagini) {
    const QString percorso = scrivi(c.nome, c.contenuto);
    Documento d = Documento::DaModello(kCarta);
    EXPECT_THROW(d.InserisciImmagine(percorso), ErroreDocumento) << c.nome;
    EXPECT_EQ(d.Componi().Parti().count(QStringLiteral("word/media/rapporto1.png")), 0u) << c.nome;
  }
  Documento d = Documento::DaModello(kCarta);
  EXPECT_THROW(d.InserisciImmagine(dir.filePath(QStringLiteral("manca.png"))), ErroreDocumento);
  EXPECT_THROW(Documento::DaModello(dir.filePath(QStringLiteral("manca.docx"))), ErroreDocumento);
}

// A letterhead's entries whose names lead out of the package and its links
// to outside files never reach the report; its hyperlinks stay.
TEST_F(Scrittore, DalModelloNienteFuoriDalPacchettoNeCollegamentiEsterni) {
  Pacchetto p = Pacchetto::Leggi(kCarta);
  for (const char* fuori : {"../fuori.xml", "/assoluto.xml", "C:/disco.xml", "word/../../su.xml", "a\\b.xml"})
    p.Imposta(QString::fromLatin1(fuori), "<x/>");
  QByteArray intestazione = p.Parte(QStringLiteral("word/header1.xml"));
  intestazione.replace("<w:hdr ", "<w:hdr xmlns:r=\"" + rapporto::ns::R.toUtf8() + "\" ");
  intestazione.replace("</w:p></w:hdr>",
                       "<w:hyperlink r:id=\"rIdL\"><w:r><w:t>sito</w:t></w:r></w:hyperlink>"
                       "<w:r><w:pict><w:imagedata r:id=\"rIdE\"/></w:pict></w:r></w:p></w:hdr>");
  p.Imposta(QStringLiteral("word/header1.xml"), intestazione);
  p.Imposta(QStringLiteral("word/_rels/header1.xml.rels"),
            "<Relationships xmlns=\"" + rapporto::ns::REL.toUtf8() +
                "\"><Relationship Id=\"rIdE\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                "relationships/image\" Target=\"http://example.com/traccia.png\" TargetMode=\"External\"/>"
                "<Relationship Id=\"rIdL\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                "relationships/hyperlink\" Target=\"https://example.com/\" TargetMode=\"External\"/>"
                "</Relationships>");
  const QString file = dir.filePath(QStringLiteral("modello.docx"));
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(p.Comprimi());
  f.close();
  const Pacchetto letto = Pacchetto::Leggi(file);
  EXPECT_EQ(letto.Parti().size(), 9u);  // the letterhead's own eight and the header's relations
  const Pacchetto r = Documento::DaModello(file).Componi();
  for (const auto& [parte, dati] : r.Parti()) {
    EXPECT_FALSE(parte.contains(QLatin1String("..")) || parte.contains(QLatin1Char(':')) ||
                 parte.startsWith(QLatin1Char('/')) || parte.contains(QLatin1Char('\\')))
        << parte.toStdString();
    EXPECT_FALSE(dati.contains("example.com/traccia")) << parte.toStdString();
    EXPECT_FALSE(dati.contains("rIdE")) << parte.toStdString();
  }
  EXPECT_TRUE(r.Parte(QStringLiteral("word/_rels/header1.xml.rels")).contains("https://example.com/"));
  EXPECT_TRUE(r.Parte(QStringLiteral("word/header1.xml")).contains("r:id=\"rIdL\""));
  EXPECT_TRUE(test::XmlValido(r.Parte(QStringLiteral("word/header1.xml"))));
}

// Text XML cannot carry (half a surrogate pair, control characters) is
// replaced or left out wherever it is typed: the document stays whole.
TEST_F(Scrittore, TestoCheLXmlNonPortaSostituito) {
  const QString mezzo = QString(QChar(0xD83D));
  Documento d = Documento::DaModello(kCarta);
  d.ScriviTesto(QStringLiteral("a") + mezzo + QStringLiteral("b") + QChar(0xDE00) + QChar(1) +
                QStringLiteral("\U0001F600"));
  d.AggiungiTabella(1, 1, Larghezze::Adattate);
  d.VaiAllaFine();
  d.AccodaACella(1, 1, 1, mezzo + QStringLiteral("c"));
  const Pacchetto p = d.Componi();
  EXPECT_TRUE(test::XmlValido(p.Parte(QStringLiteral("word/document.xml"))));
  EXPECT_EQ(test::Corpo(p),
            (QStringList{QStringLiteral("p:a\uFFFDb\uFFFD\U0001F600"), QStringLiteral("tbl{\uFFFDc}")}));
}

// Many damaged copies of a real document (bytes changed, cut short): each is
// either read or refused with an error, never a crash or a hang.
TEST_F(Scrittore, CopieAlterateDiUnDocumentoNonFannoCadereIlProgramma) {
  QFile f(QStringLiteral(PROGRAM_DIR "/Descrizioni/kalvo_eng.docx"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray buono = f.readAll();
  quint32 seme = 12345;
  auto caso = [&seme] {
    seme = seme * 1664525u + 1013904223u;
    return seme >> 8;
  };
  int rifiutati = 0;
  for (int i = 0; i < 300; ++i) {
    QByteArray copia = buono;
    for (int k = 0; k < 1 + i % 4; ++k) copia[caso() % copia.size()] = static_cast<char>(caso());
    if (i % 5 == 0) copia.truncate(static_cast<qsizetype>(caso() % copia.size()));
    const QString percorso = dir.filePath(QStringLiteral("alterato%1.docx").arg(i));
    QFile g(percorso);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write(copia);
    g.close();
    try {
      Documento d = Documento::DaModello(kCarta);
      d.InserisciDocumento(percorso);
      EXPECT_TRUE(test::XmlValido(d.Componi().Parte(QStringLiteral("word/document.xml"))));
    } catch (const ErroreDocumento&) {
      ++rifiutati;
    }
  }
  EXPECT_GT(rifiutati, 200);
}

TEST_F(Scrittore, SalvaSottoUnNomeTemporaneoENonLasciaFileSeFallisce) {
  Documento d = Documento::DaModello(kCarta);
  d.ScriviTesto(QStringLiteral("uno"));
  const QString file = dir.filePath(QStringLiteral("r.docx"));
  QFile vecchio(file);
  ASSERT_TRUE(vecchio.open(QIODevice::WriteOnly));
  vecchio.write("old");
  vecchio.close();
  d.Salva(file);
  EXPECT_EQ(test::Corpo(Pacchetto::Leggi(file)), QStringList{"p:uno"});
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"r.docx"});  // no temporary left
  const QString senzaCartella = dir.filePath(QStringLiteral("manca/r.docx"));
  EXPECT_THROW(d.Salva(senzaCartella), ErroreDocumento);
  EXPECT_FALSE(QFileInfo::exists(senzaCartella));
}

}  // namespace

// Every dimension drawing of the program folder holds both views whole: the
// last columns of the picture are blank, nothing runs off its right edge.
TEST(DatiStampa, IDisegniDimensionaliStannoNellImmagine) {
  const QDir cartella(QStringLiteral(PROGRAM_DIR "/dimensionali"));
  const QStringList nomi = cartella.entryList({QStringLiteral("*.png")}, QDir::Files);
  ASSERT_FALSE(nomi.isEmpty());
  for (const QString& nome : nomi) {
    const QImage img(cartella.filePath(nome));
    ASSERT_FALSE(img.isNull()) << nome.toStdString();
    for (int x = img.width() - 20; x < img.width(); ++x) {
      for (int y = 0; y < img.height(); ++y) {
        ASSERT_EQ(img.pixel(x, y), qRgb(255, 255, 255)) << nome.toStdString() << " " << x << "," << y;
      }
    }
  }
}
