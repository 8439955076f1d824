// Where a report is saved: a new file in the output folder, never one
// already there, and never a half-written one.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <stdexcept>

namespace rapporto {

// A failure of a print, with the one message (in the user's language) that
// tells the user what went wrong.
class ErroreStampa : public std::runtime_error {
 public:
  explicit ErroreStampa(const QString& messaggio) : std::runtime_error(messaggio.toStdString()) {}
  QString Messaggio() const { return QString::fromStdString(what()); }
};

// "Doc" + the time as DDMMYY-HHMMSS + ".docx"; from the second report of the
// same second on, "-2", "-3" ... before the extension.
QString NomeDocumento(const QDateTime& quando, int numero = 1);

// The message for a failed write of the output folder (errno value err):
// not writable, disk full, or the system's reason.
QString MessaggioScrittura(int err, const QString& cartella, const QString& percorso);

// Writes every byte to the file descriptor; returns 0 or the errno value.
int ScriviTutto(int fd, const QByteArray& dati);

// A new report file in the output folder, under the first free name for the
// time given.  The folder is created when missing and the name that is free
// now is chosen at once (so the path can be shown before the document is
// written); the file appears under its name only when written whole, never
// over another file (a report saved meanwhile moves it to the next free
// name).  Throws ErroreStampa.
class DocumentoNuovo {
 public:
  DocumentoNuovo(const QString& cartella, const QDateTime& quando);
  DocumentoNuovo(const DocumentoNuovo&) = delete;
  DocumentoNuovo& operator=(const DocumentoNuovo&) = delete;

  const QString& Percorso() const { return percorso_; }
  // Writes the document to a temporary file beside it and links it under
  // the first free name once complete.
  void Scrivi(const QByteArray& dati);

 private:
  QString cartella_, percorso_;
  QDateTime quando_;
  int numero_ = 1;
};

}  // namespace rapporto
