// Settings files in the initialisation format ("[Section]", "key=value"),
// read and written with the rules of the classic profile-string services:
// section and key names compared without case, values trimmed (and freed of
// one pair of enclosing quotes), a missing file, section or key reads as the
// default, at most 255 characters come back, and writing a key keeps every
// other line of the file.
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
