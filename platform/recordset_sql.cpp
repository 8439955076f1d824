// The query grammar understood on Access files:
//   select * from <table> [where <column> = ? {and <column> = ?}] [;]
// Keywords in any case; a name is a run of letters, digits and "_" (UTF-8
// letters included) or any text in square brackets.
#include <string>

#include "platform/recordset_interno.h"

namespace plat::interno {
namespace {

class Lettore {
 public:
  explicit Lettore(std::string_view s) : s_(s) {}

  void Spazi() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r' || s_[i_] == '\n')) ++i_;
  }
  bool Fine() {
    Spazi();
    return i_ == s_.size();
  }
  bool Simbolo(char c) {
    Spazi();
    if (i_ < s_.size() && s_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }
  bool Parola(std::string_view parola) {
    Spazi();
    if (s_.size() - i_ < parola.size() || !NomiUguali(s_.substr(i_, parola.size()), parola)) return false;
    if (i_ + parola.size() < s_.size() && CarattereNome(s_[i_ + parola.size()])) return false;
    i_ += parola.size();
    return true;
  }
  // Empty when no name stands here.
  std::string Nome() {
    Spazi();
    if (i_ < s_.size() && s_[i_] == '[') {
      const auto chiusa = s_.find(']', i_ + 1);
      if (chiusa == std::string_view::npos || chiusa == i_ + 1) return {};
      std::string nome(s_.substr(i_ + 1, chiusa - i_ - 1));
      i_ = chiusa + 1;
      return nome;
    }
    const auto inizio = i_;
    while (i_ < s_.size() && CarattereNome(s_[i_])) ++i_;
    return std::string(s_.substr(inizio, i_ - inizio));
  }

 private:
  static bool CarattereNome(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
           u == '_';
  }
  std::string_view s_;
  std::size_t i_ = 0;
};

}  // namespace

Interrogazione AnalizzaSql(std::string_view sql) {
  const auto errore = [&] {
    return ErroreDatabase("Query not understood on an Access database: " + std::string(sql));
  };
  Lettore l(sql);
  Interrogazione q;
  if (!l.Parola("select") || !l.Simbolo('*') || !l.Parola("from")) throw errore();
  q.tabella = l.Nome();
  if (q.tabella.empty()) throw errore();
  if (l.Parola("where")) {
    do {
      std::string colonna = l.Nome();
      if (colonna.empty() || !l.Simbolo('=') || !l.Simbolo('?')) throw errore();
      q.colonne_filtro.push_back(std::move(colonna));
    } while (l.Parola("and"));
  }
  l.Simbolo(';');
  if (!l.Fine()) throw errore();
  return q;
}

}  // namespace plat::interno
