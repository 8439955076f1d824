// The report's document writer: a word-processing document (.docx) built
// through one insertion point, as a typist builds it.
//
// The insertion point carries the font (name, bold, size) and the paragraph
// settings (alignment, left tab stops): typed text takes them, a new
// paragraph inherits them, and so do the cells of a table added there.
// Moving the insertion point (into the next cell, to the end of the
// document) takes up the settings found where it lands.  Tables are
// addressed by their 1-based position among the document's tables.
//
// The document starts from a template package, whose styles, page set-up,
// headers and footers it keeps; whatever the template's body holds stays
// after the text typed at its start.  A template is checked whole before
// use: every XML part well-formed, the package's content types and
// relations present, every relation kept leading to a part it holds; links
// to files outside it (other than hyperlinks) are dropped.  Every read of a template, a picture or
// another document is checked: a bad file raises ErroreDocumento naming it.
#pragma once

#include <QString>
#include <map>
#include <memory>
#include <vector>

#include "report/pacchetto.h"

namespace rapporto {

enum class Allineamento { Sinistra = 0, Centro = 1 };
// Fixed columns share the text width equally; fitted columns are measured
// from their texts when the document is written.
enum class Larghezze { Fisse, Adattate };

class Documento {
 public:
  // Opens a template file (.docx); the insertion point stands at the start
  // of its body.
  static Documento DaModello(const QString& percorso);
  static Documento DaPacchetto(Pacchetto p, const QString& nome);
  Documento(Documento&&) noexcept;
  Documento& operator=(Documento&&) noexcept;
  ~Documento();

  // ---- The letterhead ----
  // In the headers and footers, a text whose whole wording (blanks aside)
  // is a key of testi takes the key's value, keeping its blanks.
  void TraduciIntestazioni(const std::map<QString, QString>& testi);
  // The language the document's text is in (a tag such as "de-DE"), for
  // the word processor's spelling and hyphenation.
  void ImpostaLingua(const QString& tag);

  // ---- Settings at the insertion point ----
  void ImpostaCarattere(const QString& nome);
  void ImpostaGrassetto(bool si);
  void ImpostaDimensione(double punti);
  void ImpostaAllineamento(Allineamento a);
  // A left tab stop, in centimetres from the margin, on the current paragraph.
  void AggiungiTabulazione(double cm);
  bool Grassetto() const;
  double Dimensione() const;

  // ---- Typing ----
  // Text at the insertion point; a tab character is a tab, a line break
  // starts a new paragraph.
  void ScriviTesto(const QString& testo);
  void NuovoParagrafo();
  void InterruzionePagina();
  // The insertion point to the end of the document (after the last table).
  void VaiAllaFine();

  // ---- Tables ----
  // A table of righe x colonne at the insertion point; the insertion point
  // moves into its first cell.  Returns its position among the tables.
  int AggiungiTabella(int righe, int colonne, Larghezze l);
  int NumeroTabelle() const;
  bool InTabella() const;
  // The next cell in reading order; from the last cell a new row is added.
  void CellaSuccessiva();
  // Deletes the table holding the insertion point, which moves after it.
  void EliminaTabellaCorrente();
  // Centres the rows of the table holding the insertion point on the page.
  void CentraTabellaCorrente();
  // The cell holding the insertion point: its left border (and the right
  // border of its neighbour) removed; its content centred vertically.
  void TogliBordoSinistroCella();
  void CentraCellaVerticalmente();

  // Tables by position (1-based), as the later sections address them.
  int RigheTabella(int tabella) const;
  // Cells colonna..finoA of a row become one (their texts kept in order).
  void UnisciCelle(int tabella, int riga, int colonna, int finoA);
  void RigaInGrassetto(int tabella, int riga);
  void CellaInGrassetto(int tabella, int riga, int colonna);
  // Appends text to a cell with the cell's own formatting.
  void AccodaACella(int tabella, int riga, int colonna, const QString& testo);
  void AdattaColonne(int tabella);

  // ---- Pictures and other documents ----
  // An inline picture (PNG or JPEG), embedded, sized from its pixels and
  // resolution and made no wider than the cell or the text width.
  void InserisciImmagine(const QString& percorso);
  // The whole body of another .docx at the insertion point, with its
  // formatting, tables, pictures and the styles it uses.
  void InserisciDocumento(const QString& percorso);

  // ---- Output ----
  // The package of the finished document.
  Pacchetto Componi() const;
  // The bytes of the finished file, read back as a word processor reads
  // them (the package whole, every XML part well-formed) before they are
  // handed out; throws ErroreDocumento when they are not.
  QByteArray File() const;
  // Writes the document to a temporary file beside percorso and renames it
  // when complete; throws ErroreDocumento on any failure (no file left).
  void Salva(const QString& percorso) const;

 private:
  struct Dati;
  explicit Documento(std::unique_ptr<Dati> d);
  static Documento Apri(Pacchetto p, const QString& nome);
  void Inserisci(const QString& percorso);
  std::unique_ptr<Dati> d_;
};

}  // namespace rapporto
