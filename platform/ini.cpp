#include "platform/ini.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>
#include <vector>

namespace plat {
namespace {

// ---- Windows-1252 ------------------------------------------------------

// Bytes 0x80-0x9F; the five the code page leaves undefined stand for the
// control characters of the same number, so that every byte reads back.
constexpr std::array<char16_t, 32> kCp1252Alti = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DaCp1252(const QByteArray& b) {
  QString s;
  s.reserve(b.size());
  for (char c : b) {
    const auto u = static_cast<unsigned char>(c);
    s += QChar(u >= 0x80 && u < 0xA0 ? kCp1252Alti[u - 0x80] : char16_t{u});
  }
  return s;
}

// False when a character has no byte in the code page.
bool InCp1252(const QString& s, QByteArray* out) {
  for (QChar q : s) {
    const char16_t c = q.unicode();
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      *out += static_cast<char>(c);
      continue;
    }
    std::size_t i = 0;
    while (i < kCp1252Alti.size() && kCp1252Alti[i] != c) ++i;
    if (i == kCp1252Alti.size()) return false;
    *out += static_cast<char>(0x80 + i);
  }
  return true;
}

// ---- The file as lines of bytes ----------------------------------------

// The file's lines as they are stored, each with its own line end, so that
// the lines the program does not write are written back byte for byte.  The
// text is UTF-8 when the whole file is valid UTF-8, otherwise the Windows
// code page the file was written in on the original system.
struct File {
  std::vector<QByteArray> righe;  // each with its "\n" or "\r\n", the last maybe without
  bool utf8 = true;
  QByteArray fine = "\r\n";  // the end of the lines the program adds

  QString Testo(std::size_t i) const {
    QByteArray b = righe[i];
    while (b.endsWith('\n') || b.endsWith('\r')) b.chop(1);
    if (!utf8) return DaCp1252(b);
    if (i == 0 && b.startsWith("\xEF\xBB\xBF")) b.remove(0, 3);  // a byte-order mark
    return QString::fromUtf8(b);
  }

  // Replaces (or, with nuova, inserts before) line i with a text of the program.
  void Scrivi(std::size_t i, const QString& testo, bool nuova) {
    if (nuova) {
      if (i > 0 && !righe[i - 1].endsWith('\n')) righe[i - 1] += fine;
      righe.insert(righe.begin() + static_cast<std::ptrdiff_t>(i), QByteArray());
    }
    QByteArray b;
    if (!utf8 && !InCp1252(testo, &b)) {
      // A text the code page cannot hold: the whole file goes to UTF-8,
      // every line keeping its meaning, rather than lose the text.
      for (QByteArray& r : righe) r = DaCp1252(r).toUtf8();
      utf8 = true;
    }
    if (utf8) b = testo.toUtf8();
    const bool ultima = i + 1 == righe.size();
    righe[i] = b + (ultima && !nuova && !righe[i].endsWith('\n') ? QByteArray() : fine);
  }
};

File Leggi(const QString& file) {
  File r;
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return r;
  const QByteArray dati = f.readAll();
  QStringDecoder utf8(QStringDecoder::Utf8);
  (void)QString(utf8(dati));
  r.utf8 = !utf8.hasError();
  if (dati.contains('\n') && !dati.contains("\r\n")) r.fine = "\n";
  qsizetype inizio = 0;
  while (inizio < dati.size()) {
    qsizetype a_capo = dati.indexOf('\n', inizio);
    const qsizetype fine = a_capo < 0 ? dati.size() : a_capo + 1;
    r.righe.push_back(dati.mid(inizio, fine - inizio));
    inizio = fine;
  }
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
  const File r = Leggi(file);
  bool dentro = false;
  for (std::size_t i = 0; i < r.righe.size(); ++i) {
    const QString riga = r.Testo(i);
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

bool ScriviProfilo(const QString& file, const QString& sezione, const QString& chiave,
                   const QString& valore) {
  File r = Leggi(file);
  const QString nuova = chiave.trimmed() + QLatin1Char('=') + valore;
  const std::size_t n = r.righe.size();
  std::size_t inizio = n;  // index of the section line
  for (std::size_t i = 0; i < n && inizio == n; ++i) {
    QString nome = NomeSezione(r.Testo(i));
    if (!nome.isNull() && nome.compare(sezione.trimmed(), Qt::CaseInsensitive) == 0) inizio = i;
  }
  if (inizio == n) {
    if (n > 0 && !r.Testo(n - 1).trimmed().isEmpty()) r.Scrivi(r.righe.size(), QString(), true);
    r.Scrivi(r.righe.size(), QLatin1Char('[') + sezione.trimmed() + QLatin1Char(']'), true);
    r.Scrivi(r.righe.size(), nuova, true);
  } else {
    std::size_t ultima = inizio;  // last non-blank line of the section
    bool fatto = false;
    for (std::size_t i = inizio + 1; i < n && !fatto; ++i) {
      const QString riga = r.Testo(i);
      if (!NomeSezione(riga).isNull()) break;
      if (StessaChiave(riga, chiave, nullptr)) {
        r.Scrivi(i, nuova, false);
        fatto = true;
      } else if (!riga.trimmed().isEmpty()) {
        ultima = i;
      }
    }
    if (!fatto) r.Scrivi(ultima + 1, nuova, true);
  }
  QSaveFile f(file);
  if (!f.open(QIODevice::WriteOnly)) return false;
  for (const QByteArray& riga : r.righe) f.write(riga);
  return f.commit();
}

}  // namespace plat
