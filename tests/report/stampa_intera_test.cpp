// A whole print from the dialog: every section in its order, saving and
// showing, the series' warnings, and each way a print can fail.
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QProcess>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/testi.h"
#include "platform/schermo.h"
#include "report/sezione_risultati.h"
#include "report/uscita.h"
#include "selection/fdatipxx.h"
#include "selection/fdatipxxec.h"
#include "ui/linee.h"
#include "tests/report/supporto_stampa.h"

using namespace sel;

namespace {

class StampaIntera : public test::ConStampa {
 protected:
  FormDatiPXX& Rmb() {
    ui::Fmenu().mnuprod_Click(1);
    auto& f = FDatiPXX();
    Attiva(f);
    f.cmdCalcola->click();
    return f;
  }
  QStringList Documenti() const { return QDir(uscita).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(StampaIntera, AvvisiDelleUnitaCanalizzate) {
  const QString filtri = QStringLiteral("p:") + rapporto::kSenzaFiltri + QLatin1Char(' ');
  const QString pressione = QStringLiteral("p:") + rapporto::kSenzaPressione + QLatin1Char(' ');
  // The filter and the static pressure of the run; dopo, what the boxes are
  // changed to after it (the report warns of the run's).
  struct Caso {
    catalogo::Codice serie;
    bool filtro;
    const char* psu;
    QStringList avvisi;
    std::function<void(FinestraSelezione&)> dopo = {};
  } casi[] = {
      {catalogo::Codice::RMB, true, "0", {pressione}},
      {catalogo::Codice::RMB, false, "0", {filtri, pressione}},
      {catalogo::Codice::RMB, false, "12", {filtri}},
      {catalogo::Codice::RMB, true, "12", {}},
      {catalogo::Codice::RMB, true, "", {pressione}},  // an empty box reads as 0
      {catalogo::Codice::RMB, true, "12", {}, [](FinestraSelezione& f) { f.txtpsu->SetText("x"); }},
      {catalogo::Codice::RMB,
       false,
       "0",
       {filtri, pressione},
       [](FinestraSelezione& f) {
         f.txtpsu->SetText("12");
         f.chkAcc(2)->SetValue(1);
       }},
      {catalogo::Codice::RMB, true, "12", {}, [](FinestraSelezione& f) { f.chkAcc(2)->SetValue(0); }},
      {catalogo::Codice::RMBBLDC, false, "0", {filtri, pressione}},
      {catalogo::Codice::RMBBLDC, true, "40", {}},
      {catalogo::Codice::RMBBLDC, true, "40", {}, [](FinestraSelezione& f) { f.txtpsu->SetText("0"); }},
      {catalogo::Codice::DVK, false, "0", {}},  // the thermo-ventilating units warn of nothing
      {catalogo::Codice::DVKBLDC, false, "0", {}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.serie)) + " " + c.psu);
    ui::ApriLinea(c.serie);
    const bool ec = c.serie == catalogo::Codice::RMBBLDC || c.serie == catalogo::Codice::DVKBLDC;
    FinestraSelezione& f = ec ? static_cast<FinestraSelezione&>(FDatiPXXEC()) : FDatiPXX();
    Attiva(f);
    if (ec) f.txtqatot->SetText(QStringLiteral("800"));
    for (int k = 1; k <= 10; ++k) f.chkAcc(k)->SetValue(0);
    f.chkAcc(2)->SetValue(c.filtro ? 1 : 0);
    f.txtpsu->SetText(QString::fromLatin1(c.psu));
    f.cmdCalcola->click();
    ASSERT_GT(f.Grd->Rows(), 2);
    if (c.dopo) c.dopo(f);
    const QStringList corpo = Stampa(Dialogo(f, {2}));
    ASSERT_FALSE(corpo.isEmpty());
    const int i = static_cast<int>(corpo.indexOf(QRegularExpression(QStringLiteral("^p:Accessories.*"))));
    ASSERT_GT(i, 0);
    EXPECT_EQ(corpo.mid(i + 1, c.avvisi.size()), c.avvisi);
    EXPECT_TRUE(corpo[i + 1 + c.avvisi.size()].startsWith(QLatin1String("tbl{")));
    plat::Forms::Svuota();
  }
}

TEST_F(StampaIntera, OgniSezioneNelSuoOrdineSalvataEMostrata) {
  FormDatiPXX& f = Rmb();
  auto& s = Dialogo(f, {0, 1, 2, 3, 4, 5});
  s.txtcliente->SetText(QStringLiteral("Rossi & Figli <Srl>"));
  s.txtNote->setPlainText(QStringLiteral("Prima riga\nSeconda riga"));
  const QStringList corpo = Stampa(s);
  EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join('\n').toStdString();
  // Each section on a page of its own, after the photo and the title.
  QStringList titoli;
  for (int k = 0; k < corpo.size(); ++k)
    if (corpo[k].startsWith(QLatin1String("p:[page]"))) titoli << corpo[k + 2];
  EXPECT_EQ(titoli, (QStringList{"p!Calculation results", "p!Overall dimensions", "p!Tender specifications",
                                 "p!Wiring diagram", "p!Notes"}));
  EXPECT_TRUE(corpo[1].startsWith(QLatin1String("p:Customer :\tRossi & Figli <Srl>")));
  // The drawing, the tender text's own picture, the wiring diagram.
  EXPECT_EQ(corpo.filter(QRegularExpression(QStringLiteral("^p!\\[img .*"))).size(), 3);
  EXPECT_TRUE(corpo.contains(QStringLiteral("p:Tender specification - RMB")));
  EXPECT_EQ(corpo.mid(corpo.size() - 2), (QStringList{"p:Prima riga", "p:Seconda riga"}));
  // Saved under the time's name, shown, and the dialog says where.
  const QStringList doc = Documenti();
  ASSERT_EQ(doc.size(), 1);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Doc\\d{6}-\\d{6}\\.docx$")).match(doc[0]).hasMatch());
  const QString percorso = QDir(uscita).filePath(doc[0]);
  EXPECT_EQ(aperti, QStringList{percorso});
  EXPECT_EQ(s.lblAttesa->Caption(), core::Testo(168) + percorso + QStringLiteral(" OK"));
  EXPECT_TRUE(s.lblAttesa->isVisibleTo(&s));
  EXPECT_TRUE(s.cmdStampa->isEnabled());
  EXPECT_FALSE(plat::PuntatoreInAttesa());
}

// The letterhead's subtitle and page footer in the user's language, and the
// document's text marked in that language for the word processor.
TEST_F(StampaIntera, CartaIntestataNellaLinguaDellUtente) {
  const struct {
    int lingua;
    const char *sottotitolo, *pagina, *tag;
  } casi[] = {{1, "Selection of hydronic terminal units", "Page ", "en-GB"},
              {0, "Selezione di terminali idronici", "Pagina ", "it-IT"},
              {3, "Auswahl wassergeführter Endgeräte", "Seite ", "de-DE"},
              {6, "Επιλογή υδρονικών τερματικών μονάδων", "Σελίδα ", "el-GR"}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.tag);
    core::imp.IndiceLingua = static_cast<int16_t>(c.lingua);
    core::imp.BaseTesti = static_cast<int16_t>((2 * c.lingua + 1) * 100);
    ASSERT_FALSE(Stampa(Dialogo(Rmb(), {2})).isEmpty());
    const QString testata = QString::fromUtf8(pacchetto.Parte(QStringLiteral("word/header1.xml")));
    const QString piede = QString::fromUtf8(pacchetto.Parte(QStringLiteral("word/footer1.xml")));
    EXPECT_TRUE(testata.contains(QStringLiteral("Mistrel2013")));
    EXPECT_TRUE(testata.contains(QString::fromUtf8(c.sottotitolo))) << testata.toStdString();
    EXPECT_TRUE(piede.contains(QStringLiteral(">") + QString::fromUtf8(c.pagina) + QStringLiteral("</")))
        << piede.toStdString();
    EXPECT_TRUE(pacchetto.Parte(QStringLiteral("word/styles.xml"))
                    .contains(QByteArray("<w:lang w:val=\"") + c.tag + "\"/>"));
    EXPECT_TRUE(test::XmlValido(pacchetto.Parte(QStringLiteral("word/header1.xml"))));
    plat::Forms::Svuota();
  }
}

TEST_F(StampaIntera, SalvataMaNessunProgrammaPerMostrarla) {
  esitoShell = 31;
  auto& s = Dialogo(Rmb(), {2});
  ASSERT_FALSE(Stampa(s).isEmpty());
  const QString percorso = QDir(uscita).filePath(Documenti().value(0));
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, core::Testo(196) + percorso + QStringLiteral("\n") + core::Testo(197));
  EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Informazione);
  EXPECT_TRUE(s.lblAttesa->Caption().endsWith(QLatin1String(" OK")));
  EXPECT_TRUE(s.cmdStampa->isEnabled());
}

// Each failure: one message in the user's language naming what failed, the
// pointer and the print button back, no "OK".  A template or output folder
// that fails leaves no document; a section's file that fails leaves only that
// section's content out, with a line naming the file in its place.
struct Guasto {
  const char* nome;
  // Damages the program folder p (or the settings); returns the message.
  std::function<QString(const QString& p)> guasta;
  bool salvato = false;  // the report is saved all the same
};

void PrintTo(const Guasto& g, std::ostream* os) { *os << g.nome; }

void Scrivi(const QString& file, const QByteArray& dati) {
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(dati);
}

const Guasto kGuasti[] = {
    {"template missing",
     [](const QString& p) {
       QFile::remove(p + "intest.docx");
       return core::Testo(190) + p + "intest.docx";
     }},
    {"template damaged",
     [](const QString& p) {
       Scrivi(p + "intest.docx", "PK\x03\x04 broken");
       return core::Testo(191) + p + "intest.docx";
     }},
    {"template without content types",
     [](const QString& p) {
       rapporto::Pacchetto t = rapporto::Pacchetto::Leggi(p + "intest.docx");
       t.Togli(QStringLiteral("[Content_Types].xml"));
       Scrivi(p + "intest.docx", t.Comprimi());
       return core::Testo(191) + p + "intest.docx";
     }},
    {"photo missing",
     [](const QString& p) {
       QFile::remove(p + "FotoW/rmb.png");
       return core::Testo(190) + p + "FotoW/rmb.png";
     },
     true},
    {"drawing not a picture",
     [](const QString& p) {
       Scrivi(p + "dimensionali/rmb_10.png", "not a picture");
       return core::Testo(191) + p + "dimensionali/rmb_10.png";
     },
     true},
    {"tender text not a docx",
     [](const QString& p) {
       Scrivi(p + "Descrizioni/rmb_eng.docx", "{\\rtf1 plain}");
       return core::Testo(191) + p + "Descrizioni/rmb_eng.docx";
     },
     true},
    {"wiring diagram missing",
     [](const QString& p) {
       QFile::remove(p + "Schemi/rmb_schema.png");
       return core::Testo(190) + p + "Schemi/rmb_schema.png";
     },
     true},
    {"output folder under a file",
     [](const QString& p) {
       Scrivi(p + "file", "x");
       core::imp.CartellaOutput = p + "file/uscita";
       return core::Testo(192) + p + "file/uscita";
     }},
    {"output folder not writable",
     [](const QString& p) {
       // Not writable even with the administrator's rights.
       QString bloccata = p + "bloccata";
       QDir().mkpath(bloccata);
       QFile::setPermissions(bloccata, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
       if (::geteuid() == 0) bloccata = QStringLiteral("/sys");
       core::imp.CartellaOutput = bloccata;
       return core::Testo(193) + bloccata;
     }},
};

class StampaGuasta : public test::ConStampa, public ::testing::WithParamInterface<Guasto> {};

TEST_P(StampaGuasta, UnMessaggioCheNominaIlFile) {
  ui::Fmenu().mnuprod_Click(1);
  auto& f = FDatiPXX();
  Attiva(f);
  f.cmdCalcola->click();
  auto& s = Dialogo(f, {0, 1, 2, 3, 4, 5});
  for (int k = 0; k < 6; ++k) ASSERT_TRUE(s.chkSelez(k)->isEnabled()) << k;
  // An output folder whose name holds "OK", as the random name of the
  // test's temporary folder now and then does: only the label's own " OK"
  // at its end says that a print went well.
  uscita = core::imp.CartellaOutput = dir.filePath(QStringLiteral("Reports OK"));
  const QString messaggio = GetParam().guasta(dir.path() + QLatin1Char('/'));
  const QStringList corpo = Stampa(s);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_FALSE(s.lblAttesa->Caption().endsWith(QLatin1String(" OK"))) << s.lblAttesa->Caption().toStdString();
  EXPECT_TRUE(s.cmdStampa->isEnabled());
  EXPECT_FALSE(plat::PuntatoreInAttesa());
  if (GetParam().salvato) {
    ASSERT_FALSE(corpo.isEmpty());
    EXPECT_EQ(s.lblAttesa->Caption(), core::Testo(168) + QDir::toNativeSeparators(s.UltimoDocumento()));
    // The document names the file, the message tells where it was looked for.
    const QString testo = corpo.join(QLatin1Char(10));
    EXPECT_TRUE(testo.contains(messaggio.left(messaggio.indexOf(dir.path())) + messaggio.section('/', -1)))
        << testo.toStdString();
    EXPECT_FALSE(testo.contains(dir.path()));
    EXPECT_TRUE(corpo.join(QLatin1Char(10)).contains(core::Testo(165)));  // the sections after it are there
    EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Esclamativa);
    EXPECT_TRUE(reg.messaggi[0].testo.startsWith(messaggio + QLatin1Char(10) + core::Testo(196)))
        << reg.messaggi[0].testo.toStdString();
    EXPECT_EQ(aperti.size(), 1);
    return;
  }
  EXPECT_TRUE(corpo.isEmpty());
  // A damaged template: what is wrong in it on a second line.
  ASSERT_EQ(Messaggi().size(), 1);
  EXPECT_TRUE(Messaggi()[0] == messaggio || Messaggi()[0].startsWith(messaggio + QLatin1Char('\n')))
      << Messaggi()[0].toStdString();
  EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
  EXPECT_FALSE(s.lblAttesa->isVisibleTo(&s));
  if (QFileInfo(core::imp.CartellaOutput).isDir()) {
    EXPECT_TRUE(QDir(core::imp.CartellaOutput)
                    .entryList({QStringLiteral("*Doc*")}, QDir::Files | QDir::Hidden)
                    .isEmpty());
  }
  EXPECT_TRUE(aperti.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Guasti, StampaGuasta, ::testing::ValuesIn(kGuasti),
                         [](const ::testing::TestParamInfo<Guasto>& i) {
                           return QString::fromLatin1(i.param.nome).replace(' ', '_').toStdString();
                         });

TEST(Uscita, NomiNuoviMaiSoprascritti) {
  const QDateTime t(QDate(2026, 12, 8), QTime(0, 45, 12));
  EXPECT_EQ(rapporto::NomeDocumento(t), "Doc081226-004512.docx");
  EXPECT_EQ(rapporto::NomeDocumento(QDateTime(QDate(2027, 1, 3), QTime(17, 5, 9)), 3),
            "Doc030127-170509-3.docx");
  QTemporaryDir dir;
  const QString cartella = dir.filePath(QStringLiteral("a/b"));  // created with its parent
  QStringList percorsi;
  for (int i = 0; i < 3; ++i) {
    rapporto::DocumentoNuovo d(cartella, t);
    d.Scrivi(QByteArray::number(i));
    percorsi << QFileInfo(d.Percorso()).fileName();
  }
  EXPECT_EQ(percorsi,
            (QStringList{"Doc081226-004512.docx", "Doc081226-004512-2.docx", "Doc081226-004512-3.docx"}));
  QFile primo(QDir(cartella).filePath(percorsi[0]));
  ASSERT_TRUE(primo.open(QIODevice::ReadOnly));
  EXPECT_EQ(primo.readAll(), "0");
  {
    // The name appears only with the whole file: a program stopped before
    // leaves nothing that looks like a report.
    rapporto::DocumentoNuovo abbandonato(cartella, t);
    EXPECT_FALSE(QFileInfo::exists(abbandonato.Percorso()));
  }
  EXPECT_EQ(QDir(cartella).entryList(QDir::Files | QDir::Hidden).size(), 3);
  // A report saved meanwhile under the name shown keeps it; this one takes the next.
  rapporto::DocumentoNuovo secondo(cartella, t);
  rapporto::DocumentoNuovo(cartella, t).Scrivi("other");
  secondo.Scrivi("this");
  EXPECT_EQ(QFileInfo(secondo.Percorso()).fileName(), "Doc081226-004512-5.docx");
  QFile altro(QDir(cartella).filePath("Doc081226-004512-4.docx"));
  ASSERT_TRUE(altro.open(QIODevice::ReadOnly));
  EXPECT_EQ(altro.readAll(), "other");
  EXPECT_EQ(QDir(cartella).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

// The hidden file a stopped print left beside the reports goes at the next
// print, once its program no longer runs and it has not changed for an
// hour; a running print's file, a recent one (perhaps another machine's),
// other names (the user's own files named like them without a process id
// among them), links (and what they lead to), folders and another user's
// file stay.
TEST(Uscita, TemporaneiDiStampeFermateSpazzati) {
  QProcess finito;
  finito.start(QStringLiteral("true"), {});
  ASSERT_TRUE(finito.waitForStarted());
  const QString morto = QStringLiteral(".~Doc%1-").arg(finito.processId());
  ASSERT_TRUE(finito.waitForFinished());
  QTemporaryDir dir, altrove;
  const QString fuori = altrove.filePath(QStringLiteral("lettera.txt"));
  {
    QFile f(fuori);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("dear");
  }
  enum class Voce { File, Collegamento, Cartella, AltroUtente };
  const struct {
    QString nome;
    Voce voce;
    bool vecchio, resta;
  } casi[] = {
      {morto + "a1B2c3", Voce::File, true, false},
      {".~DocD4e5F6", Voce::File, true, true},
      {".~Doc2024v1", Voce::File, true, true},
      {morto + "g7H8i9", Voce::File, false, true},
      {QStringLiteral(".~Doc%1-j0K1l2").arg(::getpid()), Voce::File, true, true},
      {".~Doc1-m3N4o5", Voce::File, true, true},
      {morto + "p6Q7r8", Voce::Collegamento, true, true},
      {morto + "s9T0u1", Voce::Cartella, true, true},
      {morto + "v2W3x4.bak", Voce::File, true, true},
      {".~DocD4e5F6x", Voce::File, true, true},
      {"Doc081226-004512.docx", Voce::File, true, true},
      {morto + "y5Z6a7", Voce::AltroUtente, true, true},
  };
  QStringList restano;
  for (const auto& c : casi) {
    if (c.voce == Voce::AltroUtente && ::geteuid() != 0) continue;  // only root can give a file away
    const QString percorso = dir.filePath(c.nome);
    const QByteArray locale = QFile::encodeName(percorso);
    if (c.voce == Voce::Collegamento) {
      ASSERT_TRUE(QFile::link(fuori, percorso));
    } else if (c.voce == Voce::Cartella) {
      ASSERT_TRUE(QDir().mkdir(percorso));
    } else {
      QFile f(percorso);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    if (c.voce == Voce::AltroUtente) {
      ASSERT_EQ(::chown(locale.constData(), 65534, 65534), 0);
    }
    if (c.vecchio) {
      const timespec due_ore_fa[2] = {{::time(nullptr) - 7200, 0}, {::time(nullptr) - 7200, 0}};
      ASSERT_EQ(::utimensat(AT_FDCWD, locale.constData(), due_ore_fa, AT_SYMLINK_NOFOLLOW), 0);
    }
    if (c.resta) restano << c.nome;
  }
  rapporto::DocumentoNuovo d(dir.path(), QDateTime(QDate(2027, 1, 3), QTime(17, 5, 9)));
  d.Scrivi("report");
  restano << QStringLiteral("Doc030127-170509.docx");
  restano.sort();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
            restano);
  QFile f(fuori);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "dear");
}

TEST(Uscita, DiscoPienoECartellaProtetta) {
  const int fd = ::open("/dev/full", O_WRONLY);
  if (fd < 0) GTEST_SKIP() << "no /dev/full";
  const int err = rapporto::ScriviTutto(fd, QByteArray(4096, 'x'));
  ::close(fd);
  EXPECT_EQ(err, ENOSPC);
  const struct {
    int err;
    QString messaggio;
  } casi[] = {
      {ENOSPC, core::Testo(194) + "/u/Doc.docx"},
      {EDQUOT, core::Testo(194) + "/u/Doc.docx"},
      {EACCES, core::Testo(193) + "/u"},
      {EROFS, core::Testo(193) + "/u"},
      {EIO, core::Testo(195) + "/u/Doc.docx\n" + QString::fromLocal8Bit(std::strerror(EIO))},
  };
  for (const auto& c : casi) EXPECT_EQ(rapporto::MessaggioScrittura(c.err, "/u", "/u/Doc.docx"), c.messaggio);
}

}  // namespace

namespace {

// The report's messages in every language; those followed by a path end
// with a blank.
TEST(MessaggiDellaStampa, InOgniLingua) {
  for (int lingua = 0; lingua < core::kLingue; ++lingua) {
    const int base = (2 * lingua + 1) * 100;
    for (int n = 187; n <= 199; ++n) {
      if (n > 187 && n < 190) continue;
      SCOPED_TRACE(std::to_string(lingua) + " " + std::to_string(n));
      ASSERT_TRUE(core::EsisteTesto(base + n));
      EXPECT_FALSE(core::Traduci(base + n).trimmed().isEmpty());
      EXPECT_EQ(core::Traduci(base + n).endsWith(' '), n >= 190 && n <= 196);
      if (lingua > 1) {
        EXPECT_NE(core::Traduci(base + n), core::Traduci(300 + n));  // translated, not copied
      }
    }
    // Russian writes е for ё throughout, as its older texts do.
    if (lingua == 9) {
      for (int n = 1; n < 200; ++n) EXPECT_FALSE(core::Traduci(base + n).contains(QChar(0x0451))) << n;
    }
  }
  const struct {
    int lingua, numero;
    const char* testo;
  } corretti[] = {
      {1, 198, "The selection window of this report is no longer open."},
      {6, 197, "Δεν βρέθηκε πρόγραμμα για το άνοιγμά του."},
      {13, 197, "Ni bilo mogoče najti programa, ki bi ga odprl."},
      {9, 198, "Окно подбора для этого отчета больше не открыто."},
      {1, 199, "The notes can hold at most 65535 characters: the text beyond them was not added."}};
  for (const auto& c : corretti)
    EXPECT_EQ(core::Traduci((2 * c.lingua + 1) * 100 + c.numero), QString::fromUtf8(c.testo));
}

}  // namespace
