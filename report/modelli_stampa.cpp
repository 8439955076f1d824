#include "report/modelli_stampa.h"

#include <QDir>
#include <QFileInfo>

#include "platform/recordset.h"

namespace rapporto {

std::vector<RigaModello> LeggiRighe(plat::Database& db, const QString& lingua, const QString& serie) {
  std::vector<RigaModello> righe;
  auto rs = db.OpenRecordset("select * from DocXModello where Lingua = ? And Serie = ?",
                             {lingua.toStdString(), serie.toStdString()});
  auto campo = [&](const char* nome) { return QString::fromStdString(rs->Campo(nome).ComeTesto()); };
  while (!rs->Eof()) {
    righe.push_back({campo("Serie"), campo("Modello"), campo("Foto"), campo("Dimensioni"),
                     campo("Capitolato"), campo("Schemi"), campo("BreveDesc")});
    rs->MoveNext();
  }
  rs->Close();
  return righe;
}

std::vector<RigaModello> RigheDellaLingua(plat::Database& db, const QString& lingua, const QString& riserva,
                                          const QString& serie) {
  std::vector<RigaModello> righe = LeggiRighe(db, lingua, serie);
  if (righe.empty()) righe = LeggiRighe(db, riserva, serie);
  return righe;
}

namespace {

// The entry of dir whose name equals nome without regard to case (the
// exact name first).
QString Voce(const QDir& dir, const QString& nome, QDir::Filters filtro) {
  if (QFileInfo(dir.filePath(nome)).exists() &&
      (filtro & QDir::Dirs ? QFileInfo(dir.filePath(nome)).isDir() : QFileInfo(dir.filePath(nome)).isFile()))
    return dir.filePath(nome);
  for (const QString& v : dir.entryList(filtro | QDir::NoDotAndDotDot | QDir::Hidden))
    if (v.compare(nome, Qt::CaseInsensitive) == 0) return dir.filePath(v);
  return QString();
}

}  // namespace

QString TrovaFile(const QString& programma, const QString& cartella, const QString& nome) {
  if (nome.isEmpty() || nome.contains(QLatin1Char('/')) || nome.contains(QLatin1Char('\\'))) return QString();
  const QString sotto = Voce(QDir(programma), cartella, QDir::Dirs);
  if (sotto.isEmpty()) return QString();
  return Voce(QDir(sotto), nome, QDir::Files);
}

}  // namespace rapporto
