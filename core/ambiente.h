// The program's environment, alive for the whole run.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>

#include "platform/recordset.h"

namespace core {

struct Impostazioni {
  QString PercorsoApp;  // program folder, always ending in a separator
  QString SepDec;       // "." or ",", empty when neither is found
  int16_t IndiceLingua = 0;
  int16_t BaseTesti = 0;
  std::array<QString, 21> CodiciLingua{};  // three characters each; 15..20 stay blank
  QString CartellaOutput;
  QString LinguaDefault;
  bool SenzaLimiti = false;
  bool FlagDistrict = false;
  QString ModoUR;
  bool FlagVFix = false;
  std::unique_ptr<plat::Database> DbProdotti;
};

extern Impostazioni imp;

// The database file and its connect text.
inline constexpr const char* kNomeDatabase = "Mistrel2013.mdb";
inline constexpr const char* kConnectDatabase = ";PWD=bremolt";
inline constexpr const char* kNomeIni = "Mistrel2013.ini";
inline constexpr const char* kVersione = "5.6";

// Applies the command-line word: the whole argument text, compared with
// "nolimits", "district" and "UR" as one string and with case.
void ApplicaRigaComando(const QString& argomenti);

// The system's decimal mark, found in the text of 10/3 formatted by the
// system: "." when a "." stands at position 2 or later, else "," when a ","
// does, else empty.
QString SeparatoreDecimale();
QString SeparatoreDaTesto(const QString& tre);

// The folder of a program path with a trailing separator.
QString CartellaConSeparatore(const QString& cartella);

}  // namespace core
