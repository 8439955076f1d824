#include "platform/ini.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

enum class Codifica { Utf8, Cp1252, Utf16LE, Utf16BE };

// The file's lines as they are stored, each with its own line end, so that
// the lines the program does not write are written back byte for byte.  The
// text is UTF-16 after its byte-order mark (a "Unicode" file of a Windows
// editor), UTF-8 when the whole file is valid UTF-8, otherwise the Windows
// code page the file was written in on the original system.  Lines end in
// CR LF, LF or a lone CR.
struct File {
  std::vector<QByteArray> righe;  // each with its line end, the last maybe without
  Codifica codifica = Codifica::Utf8;
  QString fine = QStringLiteral("\r\n");  // the end of the lines the program adds
  bool rifiutato = false;                 // not a regular file, or too large

  bool Utf16() const { return codifica == Codifica::Utf16LE || codifica == Codifica::Utf16BE; }

  // The character of the code unit at byte k (UTF-16: the pair at k).
  char16_t Unita(const QByteArray& b, qsizetype k) const {
    const auto u = [&](qsizetype j) { return static_cast<char16_t>(static_cast<unsigned char>(b[j])); };
    if (!Utf16()) return u(k);
    return codifica == Codifica::Utf16LE ? static_cast<char16_t>(u(k) | u(k + 1) << 8)
                                         : static_cast<char16_t>(u(k) << 8 | u(k + 1));
  }
  qsizetype Passo() const { return Utf16() ? 2 : 1; }

  bool FinisceARiga(const QByteArray& riga) const {
    if (riga.size() < Passo()) return false;
    const char16_t c = Unita(riga, riga.size() - Passo());
    return c == u'\n' || c == u'\r';
  }

  QString Testo(std::size_t i) const {
    QString t;
    switch (codifica) {
      case Codifica::Cp1252:
        t = DaCp1252(righe[i]);
        break;
      case Codifica::Utf8:
        t = QString::fromUtf8(righe[i]);
        break;
      default:
        t = QStringDecoder(codifica == Codifica::Utf16LE ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                           QStringDecoder::Flag::ConvertInitialBom)(righe[i]);
    }
    while (t.endsWith(QLatin1Char('\n')) || t.endsWith(QLatin1Char('\r'))) t.chop(1);
    if (i == 0 && t.startsWith(QChar(0xFEFF))) t.remove(0, 1);  // a byte-order mark
    return t;
  }

  QByteArray Byte(const QString& testo) const {
    if (!Utf16()) return testo.toUtf8();
    return QStringEncoder(codifica == Codifica::Utf16LE ? QStringEncoder::Utf16LE
                                                        : QStringEncoder::Utf16BE)(testo);
  }

  // Replaces (or, with nuova, inserts before) line i with a text of the program.
  void Scrivi(std::size_t i, const QString& testo, bool nuova) {
    if (nuova) {
      if (i > 0 && !FinisceARiga(righe[i - 1])) righe[i - 1] += Byte(fine);
      righe.insert(righe.begin() + static_cast<std::ptrdiff_t>(i), QByteArray());
    }
    QByteArray b;
    if (codifica == Codifica::Cp1252 && !InCp1252(testo, &b)) {
      // A text the code page cannot hold: the whole file goes to UTF-8,
      // every line keeping its meaning, rather than lose the text.
      for (QByteArray& r : righe) r = DaCp1252(r).toUtf8();
      codifica = Codifica::Utf8;
    }
    if (codifica != Codifica::Cp1252) b = Byte(testo);
    const bool ultima = i + 1 == righe.size();
    righe[i] = b + (ultima && !nuova && !FinisceARiga(righe[i]) ? QByteArray() : Byte(fine));
  }
};

// The file's lines; none when it is missing, unreadable or refused.
File Leggi(const QString& file) {
  File r;
  r.rifiutato = ProfiloRifiutato(file);
  QFile f(file);
  if (r.rifiutato || !f.open(QIODevice::ReadOnly)) return r;
  const QByteArray dati = f.read(kMaxFileProfilo + 1);
  r.rifiutato = dati.size() > kMaxFileProfilo;  // grown since it was looked at
  if (r.rifiutato) return r;
  if (dati.startsWith("\xFF\xFE")) {
    r.codifica = Codifica::Utf16LE;
  } else if (dati.startsWith("\xFE\xFF")) {
    r.codifica = Codifica::Utf16BE;
  } else {
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)QString(utf8(dati));
    r.codifica = utf8.hasError() ? Codifica::Cp1252 : Codifica::Utf8;
  }
  // Lines, and the end of the lines the program adds: CR LF when the file
  // has one, else LF, else a lone CR.
  const qsizetype passo = r.Passo();
  bool crlf = false, lf = false, cr = false;
  qsizetype inizio = 0;
  for (qsizetype k = 0; k + passo <= dati.size(); k += passo) {
    const char16_t c = r.Unita(dati, k);
    qsizetype fine = -1;
    if (c == u'\n') {
      lf = true;
      fine = k + passo;
    } else if (c == u'\r') {
      if (k + 2 * passo <= dati.size() && r.Unita(dati, k + passo) == u'\n') {
        crlf = true;
        k += passo;
      } else {
        cr = true;
      }
      fine = k + passo;
    }
    if (fine >= 0) {
      r.righe.push_back(dati.mid(inizio, fine - inizio));
      inizio = fine;
    }
  }
  if (inizio < dati.size()) r.righe.push_back(dati.mid(inizio));
  if (!crlf && (lf || cr)) r.fine = lf ? QStringLiteral("\n") : QStringLiteral("\r");
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

bool ProfiloRifiutato(const QString& file) {
  const QFileInfo info(file);
  return info.exists() && (!info.isFile() || info.size() > kMaxFileProfilo);
}

bool ScriviProfilo(const QString& file, const QString& sezione, const QString& chiave,
                   const QString& valore) {
  File r = Leggi(file);
  if (r.rifiutato) return false;  // never replaced
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
