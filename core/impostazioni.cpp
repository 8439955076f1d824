#include "core/impostazioni.h"

#include <QDir>
#include <QFileInfo>

#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/unita.h"
#include "platform/ini.h"

namespace core {

QString FileIni() { return imp.PercorsoApp + QLatin1String(kNomeIni); }

QString LeggiIni(const QString& sezione, const QString& chiave) {
  return plat::LeggiProfilo(FileIni(), sezione, chiave);
}

void ScriviIni(const QString& sezione, const QString& chiave, const QString& valore) {
  plat::ScriviProfilo(FileIni(), sezione, chiave, valore);  // a failed write is not reported
}

QString TestoIndice(int valore) {
  return (valore >= 0 ? QStringLiteral(" ") : QString()) + QString::number(valore);
}

int16_t NumeroIni(const QString& testo) {
  try {
    return CInt(ValNum(testo));
  } catch (const ErroreOverflow&) {
    return 0;
  }
}

namespace {

int16_t IndiceEntro(const QString& testo, int quanti) {
  int16_t v = NumeroIni(testo);
  return (v >= 0 && v < quanti) ? v : 0;
}

}  // namespace

void LeggiImpostazioni() {
  imp.IndiceLingua = IndiceEntro(LeggiIni("Common", "Multi"), 15);
  imp.BaseTesti = static_cast<int16_t>((2 * imp.IndiceLingua + 1) * 100);
  imp.CartellaOutput = LeggiIni("Common", "OutputDir");
  imp.LinguaDefault = LeggiIni("Common", "Default");
  if (!imp.CartellaOutput.isEmpty()) {
    // A relative folder is taken from the program folder.
    QString cartella = QDir::fromNativeSeparators(imp.CartellaOutput);
    if (QDir::isRelativePath(cartella)) cartella = imp.PercorsoApp + cartella;
    if (!QFileInfo(cartella).isDir()) QDir().mkdir(cartella);  // one level; a failure is left to the report
    imp.CartellaOutput = cartella;
  }
  um.UmPotenza = IndiceEntro(LeggiIni("Unmis", "Pt"), 2);
  um.UmPortataAria = IndiceEntro(LeggiIni("Unmis", "Qa"), 3);
  um.UmPortataAcqua = IndiceEntro(LeggiIni("Unmis", "Qw"), 2);
  um.UmPerditaAcqua = IndiceEntro(LeggiIni("Unmis", "DpW"), 2);
  um.UmPerditaAria = IndiceEntro(LeggiIni("Unmis", "DpA"), 2);
  for (int i = 0; i <= 14; ++i) {
    imp.CodiciLingua[i] =
        LeggiIni("Lingue", QStringLiteral("L%1").arg(i)).left(3).leftJustified(3, QLatin1Char(' '));
  }
  RiempiUnita();
}

}  // namespace core
