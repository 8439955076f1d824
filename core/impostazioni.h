// The settings file Mistrel2013.ini in the program folder.
#pragma once

#include <QString>
#include <cstdint>

namespace core {

QString FileIni();
QString LeggiIni(const QString& sezione, const QString& chiave);
void ScriviIni(const QString& sezione, const QString& chiave, const QString& valore);

// An index as the file holds it: one blank, then the digits.
QString TestoIndice(int valore);
// A number of the file: "," read as ".", rounded to a 16-bit whole number
// (halves to even); empty or non-numeric text and values that do not fit
// give 0.
int16_t NumeroIni(const QString& testo);

// Reads the whole file at start-up into the environment and the unit
// indices, creates the output folder when missing and fills the unit
// tables.  Indices outside their tables fall back to 0.
void LeggiImpostazioni();

}  // namespace core
