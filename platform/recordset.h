// Record sets on the product database.  The file's content decides the
// engine: an SQLite file through SQLite, a Microsoft Access (Jet 3/4) file
// through the Access reader, a process of its own over mdbtools; read only.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class ErroreDatabase : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The value of one field.  A Null reads as 0 or as the empty text.
class Valore {
 public:
  enum class Tipo { Null, Numero, Testo };
  Valore() = default;
  static Valore Numero(double v);
  // A number stored in single precision: its text is the shortest one that
  // gives back the same single.
  static Valore NumeroSingolo(float v);
  static Valore Testo(std::string s);
  Tipo tipo() const { return tipo_; }
  bool Singolo() const { return singolo_; }  // a number stored in single precision
  bool IsNull() const { return tipo_ == Tipo::Null; }
  // Text is read as a number ("." decimal mark, blanks around it allowed; a
  // blank text is 0); Null is 0.  Throws ErroreDatabase for a text that is
  // not a number.
  double ComeNumero() const;
  std::string ComeTesto() const;  // numbers in their shortest exact form, Null ""

 private:
  Tipo tipo_ = Tipo::Null;
  bool singolo_ = false;
  double numero_ = 0;
  std::string testo_;
};

// The Access reader program, which reads Access files for the record-set
// layer; by default the one in the folder of the running program.
void ImpostaLettoreAccess(const std::string& percorso);
// How long the reader may go without getting on (a table, a thousand rows)
// before the file counts as damaged: a minute by default, for a slow disk or
// a network share that wakes up.
void ImpostaAttesaLettoreAccess(int millisecondi);
constexpr int kAttesaLettoreAccessMs = 60000;

class RecordSet {
 public:
  virtual ~RecordSet() = default;
  virtual void MoveFirst() = 0;
  virtual void MoveNext() = 0;
  virtual bool Eof() const = 0;
  // Field of the current row by column name, compared without case.
  // Throws ErroreDatabase for an unknown column or when at the end.
  virtual Valore Campo(std::string_view nome) const = 0;
  virtual bool HaCampo(std::string_view nome) const = 0;
  virtual void Close() = 0;
};

class Database {
 public:
  virtual ~Database() = default;
  // Opens the file; connect is the connect text (";PWD=..."). Throws
  // ErroreDatabase when the file is missing or not a database.
  static std::unique_ptr<Database> Apri(const std::string& percorso, const std::string& connect);
  // Opens a record set from an SQL text.  Values are bound to the "?" marks
  // of the text in order, never pasted into it.  Rows come back in the
  // table's natural order, all read at once.  Throws ErroreDatabase for a
  // missing table or a text it cannot run.  On an Access file the text is
  //   select * from <table> [where <column> = ? {and <column> = ?}]
  // (any case, names optionally in brackets); text is compared without case
  // there, as Access does.
  virtual std::unique_ptr<RecordSet> OpenRecordset(const std::string& sql,
                                                   const std::vector<std::string>& valori = {}) = 0;
  // Whether a table of that name exists (compared without case).
  virtual bool EsisteTabella(const std::string& nome) = 0;
};

}  // namespace plat
