#include "ui/avvio.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "core/ambiente.h"
#include "core/impostazioni.h"
#include "core/testi.h"
#include "platform/ini.h"
#include "platform/messaggi.h"
#include "platform/schermo.h"
#include "report/fstampa.h"
#include "selection/finestre_selezione.h"
#include "ui/disegni.h"
#include "ui/fgrafico.h"
#include "ui/finestre.h"
#include "ui/linee.h"

namespace ui {

namespace {

QString TestoComando(int argc, char** argv) {
  QStringList parole;
  for (int i = 1; i < argc; ++i) parole << QString::fromLocal8Bit(argv[i]);
  return parole.join(QLatin1Char(' '));
}

}  // namespace

int Avvia(const QString& comando, const QString& cartella) {
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(QIcon(Logo(64, 64)));
  // The print button of every selection window opens the report dialog on
  // that window and the series it was opened for.
  sel::FinestraSelezione::ImpostaApriStampa(
      [](sel::FinestraSelezione& f) { rapporto::ApriStampa(f, f.serie); });
  core::ApplicaRigaComando(comando);
  core::imp.SepDec = core::SeparatoreDecimale();
  core::imp.PercorsoApp = core::CartellaConSeparatore(cartella);
  core::LeggiImpostazioni();
  // A settings file that is a pipe, a device or far too large reads as a
  // missing one: the program starts on the defaults and says why.
  if (plat::ProfiloRifiutato(core::FileIni()))
    plat::MsgBox(core::Testo(191) + QDir::toNativeSeparators(core::FileIni()), plat::Icona::Esclamativa);

  FInfo().Mostra();
  plat::DoEvents();

  const QString file = core::imp.PercorsoApp + QLatin1String(core::kNomeDatabase);
  try {
    core::imp.DbProdotti = plat::Database::Apri(file.toStdString(), core::kConnectDatabase);
  } catch (const plat::ErroreDatabase& e) {
    plat::MsgBox(QStringLiteral("The product database cannot be opened:\n") + file + QStringLiteral("\n\n") +
                     QString::fromStdString(e.what()),
                 plat::Icona::Critica);
    plat::Forms::Svuota();
    return 1;
  }

  CollegaCatalogo();
  CollegaGrafico();
  ImpostaLingua();
  if (FInfo.SeCaricata()) FInfo.SeCaricata()->Scarica();
  Fmenu().Mostra();
  return 0;
}

int Main(int argc, char** argv) {
  return Avvia(TestoComando(argc, argv), QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
}

}  // namespace ui
