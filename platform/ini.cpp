#include "platform/ini.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace plat {
namespace {

struct Righe {
  QStringList righe;
  QString fine = QStringLiteral("\r\n");
};

Righe Leggi(const QString& file) {
  Righe r;
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return r;
  QString testo = QString::fromUtf8(f.readAll());
  if (!testo.contains(QLatin1String("\r\n")) && testo.contains(QLatin1Char('\n'))) r.fine = QStringLiteral("\n");
  testo.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  r.righe = testo.split(QLatin1Char('\n'));
  if (!r.righe.isEmpty() && r.righe.back().isEmpty()) r.righe.pop_back();
  return r;
}

// The name of a section line "[name]", or a null string.
QString NomeSezione(const QString& riga) {
  QString t = riga.trimmed();
  if (!t.startsWith(QLatin1Char('['))) return QString();
  int chiusa = t.indexOf(QLatin1Char(']'));
  return (chiusa < 0 ? t.mid(1) : t.mid(1, chiusa - 1)).trimmed();
}

bool StessaChiave(const QString& riga, const QString& chiave, QString* valore) {
  int uguale = riga.indexOf(QLatin1Char('='));
  if (uguale < 0) return false;
  if (riga.left(uguale).trimmed().compare(chiave.trimmed(), Qt::CaseInsensitive) != 0) return false;
  if (valore) *valore = riga.mid(uguale + 1);
  return true;
}

}  // namespace

QString LeggiProfilo(const QString& file, const QString& sezione, const QString& chiave,
                     const QString& predefinito) {
  const Righe r = Leggi(file);
  bool dentro = false;
  for (const QString& riga : r.righe) {
    QString nome = NomeSezione(riga);
    if (!nome.isNull()) {
      dentro = nome.compare(sezione.trimmed(), Qt::CaseInsensitive) == 0;
      continue;
    }
    QString valore;
    if (dentro && StessaChiave(riga, chiave, &valore)) {
      valore = valore.trimmed();
      if (valore.size() >= 2 && (valore.front() == QLatin1Char('"') || valore.front() == QLatin1Char('\'')) &&
          valore.back() == valore.front())
        valore = valore.mid(1, valore.size() - 2);
      return valore.left(kMaxValoreProfilo);
    }
  }
  return predefinito.left(kMaxValoreProfilo);
}

bool ScriviProfilo(const QString& file, const QString& sezione, const QString& chiave, const QString& valore) {
  Righe r = Leggi(file);
  const QString nuova = chiave.trimmed() + QLatin1Char('=') + valore;
  int inizio = -1;  // index of the section line
  for (int i = 0; i < r.righe.size(); ++i) {
    QString nome = NomeSezione(r.righe[i]);
    if (!nome.isNull() && nome.compare(sezione.trimmed(), Qt::CaseInsensitive) == 0) {
      inizio = i;
      break;
    }
  }
  if (inizio < 0) {
    if (!r.righe.isEmpty() && !r.righe.back().trimmed().isEmpty()) r.righe << QString();
    r.righe << QLatin1Char('[') + sezione.trimmed() + QLatin1Char(']') << nuova;
  } else {
    int ultima = inizio;  // last non-blank line of the section
    bool fatto = false;
    for (int i = inizio + 1; i < r.righe.size(); ++i) {
      if (!NomeSezione(r.righe[i]).isNull()) break;
      if (StessaChiave(r.righe[i], chiave, nullptr)) {
        r.righe[i] = nuova;
        fatto = true;
        break;
      }
      if (!r.righe[i].trimmed().isEmpty()) ultima = i;
    }
    if (!fatto) r.righe.insert(ultima + 1, nuova);
  }
  QSaveFile f(file);
  if (!f.open(QIODevice::WriteOnly)) return false;
  f.write((r.righe.join(r.fine) + r.fine).toUtf8());
  return f.commit();
}

}  // namespace plat
