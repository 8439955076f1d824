// Settings files in the initialisation format ("[Section]", "key=value"),
// read and written with the rules of the classic profile-string services:
// section and key names compared without case, values trimmed (and freed of
// one pair of enclosing quotes), a missing file, section or key reads as the
// default, at most 255 characters come back, and writing a key keeps every
// other line of the file byte for byte.  A file keeps its encoding: UTF-16
// after a byte-order mark, UTF-8, or, when not valid UTF-8, the Windows code
// page 1252 of the original system.  A file that is not a regular file (a
// pipe would never end, nor a link to a device) or is larger than any real
// settings file is neither read nor written.
#pragma once

#include <QString>

namespace plat {

constexpr int kMaxValoreProfilo = 255;
constexpr qint64 kMaxFileProfilo = 1 << 20;

// Whether the file exists but is refused as a settings file; it then reads
// as a missing one and writing to it fails.
bool ProfiloRifiutato(const QString& file);

QString LeggiProfilo(const QString& file, const QString& sezione, const QString& chiave,
                     const QString& predefinito = QString());

// Creates the file or the section when missing.  Returns false when the
// file cannot be written.
bool ScriviProfilo(const QString& file, const QString& sezione, const QString& chiave, const QString& valore);

}  // namespace plat
