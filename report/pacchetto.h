// A document package: the named parts of a zip file, read and written
// through libzip entirely in memory.  A damaged, truncated or oversized file
// is refused with an error, never followed; an entry whose name leads out of
// the package (an absolute path, a drive letter, a step up) is left out.
#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <stdexcept>

namespace rapporto {

// A document that cannot be read or written; the text names the file.
class ErroreDocumento : public std::runtime_error {
 public:
  explicit ErroreDocumento(const QString& testo) : std::runtime_error(testo.toStdString()) {}
  QString Testo() const { return QString::fromStdString(what()); }
};

// Whether a part holds XML (its name ends in .xml or .rels).
bool ParteXml(const QString& nome);

class Pacchetto {
 public:
  // The largest file and the largest part read (a damaged or hostile
  // archive cannot make the program allocate without end).
  static constexpr qint64 kMassimoFile = 64 << 20;
  static constexpr qint64 kMassimaParte = 64 << 20;

  // Reads every part of the zip file; throws ErroreDocumento naming it.
  static Pacchetto Leggi(const QString& percorso);
  // massimaParte: the largest part accepted (and four times that in all);
  // a file this program wrote itself is read back without that limit.
  static Pacchetto DaDati(const QByteArray& dati, const QString& nome, qint64 massimaParte = kMassimaParte);

  bool Ha(const QString& parte) const { return parti_.count(parte) != 0; }
  // The bytes of a part (empty when missing).
  QByteArray Parte(const QString& parte) const;
  void Imposta(const QString& parte, QByteArray dati) { parti_[parte] = std::move(dati); }
  void Togli(const QString& parte) { parti_.erase(parte); }
  const std::map<QString, QByteArray>& Parti() const { return parti_; }

  // The zip file of every part; pictures are stored, XML deflated.
  QByteArray Comprimi() const;

 private:
  std::map<QString, QByteArray> parti_;
};

}  // namespace rapporto
