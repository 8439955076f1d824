// Settings files in the initialisation format ("[Section]", "key=value"),
// read and written with the rules of the classic profile-string services:
// section and key names compared without case, values trimmed (and freed of
// one pair of enclosing quotes), a missing file, section or key reads as the
// default, at most 255 characters come back, and writing a key keeps every
// other line of the file byte for byte.  A file that is not valid UTF-8 is
// read, and written, in the Windows code page 1252 of the original system.
#pragma once

#include <QString>

namespace plat {

constexpr int kMaxValoreProfilo = 255;

QString LeggiProfilo(const QString& file, const QString& sezione, const QString& chiave,
                     const QString& predefinito = QString());

// Creates the file or the section when missing.  Returns false when the
// file cannot be written.
bool ScriviProfilo(const QString& file, const QString& sezione, const QString& chiave, const QString& valore);

}  // namespace plat
