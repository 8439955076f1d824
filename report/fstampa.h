// The print-choice dialog: the user composes the report of the selection
// window whose print button opened it (date, customer, project, sections,
// model) and prints it as a .docx in the output folder.
#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/controlli.h"
#include "platform/form.h"
#include "report/modelli_stampa.h"

namespace plat {
class RegistroCorsa;
}

namespace rapporto {

class Documento;

// The selection windows of mixed air, whose report has the return-air and
// fresh-air blocks.
bool FinestraConAria(const QString& nome);

// The row of the listed models that shows the model chosen in a selection
// window (its name, or the name it begins with and a blank, as a 4-pipe
// variant begins with its model's); -1 when none does.
int RigaDelModello(const std::vector<RigaModello>& righe, const QString& modello);

// The progress line: one line, shortened in the middle when it is longer
// than the window is wide, so that its start and the saved file's name at
// its end stay whole.  Its caption keeps the whole text.
class LineaStato : public plat::Label {
  Q_OBJECT
 public:
  using plat::Label::Label;
  QString TestoMostrato() const;

 protected:
  void paintEvent(QPaintEvent* e) override;
};

// The notes box.  Its lines wrap at any character, and it holds at most
// kMassimo characters: what a paste, a drop or a typed key would add beyond
// them is left out, with a message.  So any paste and the layout of its
// longest line stay quick.
class CasellaNote : public QPlainTextEdit {
  Q_OBJECT
 public:
  static constexpr qsizetype kMassimo = 65535;
  explicit CasellaNote(QWidget* parent);

 protected:
  void insertFromMimeData(const QMimeData* sorgente) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;

 private:
  // How many characters may still take the selection's place.
  qsizetype Spazio() const;
};

class FormStampa : public plat::Form {
  Q_OBJECT
 public:
  FormStampa();
  ~FormStampa() override;

  // Heights of the two layouts, in twips: the notes box out of view and in view.
  static constexpr int kAltezzaCorta = 5400;
  static constexpr int kAltezzaAlta = 6700;

  plat::Label* lbldata = nullptr;
  plat::TextBox* txtData = nullptr;
  plat::Label* lblcliente = nullptr;
  plat::TextBox* txtcliente = nullptr;
  plat::Label* lblProgetto = nullptr;
  plat::TextBox* txtProgetto = nullptr;
  plat::Label* lblSezioni = nullptr;
  plat::ArrayControlli<plat::CheckBox> chkSelez;
  plat::Frame* frmModello = nullptr;
  plat::ComboBox* CboModello = nullptr;
  plat::Label* imgModello = nullptr;
  CasellaNote* txtNote = nullptr;
  plat::CommandButton* cmdStampa = nullptr;
  plat::CommandButton* cmdAnnulla = nullptr;
  LineaStato* lblAttesa = nullptr;

  // Shows the dialog, modal, for the selection window whose print button
  // was pressed and the series it was opened for; every showing activates it
  // on the model chosen in that window (the first when all were rated).
  void Apri(plat::Form& finestra, const QString& serie);
  void Form_Activate();
  void CboModello_Click();
  void chkSelez_Click(int index);
  void cmdAnnulla_Click();
  void cmdStampa_Click();
  // The page header at the insertion point of the report being written.
  void Intest_Pagina(const QString& titolo);

  // The rows of the listed models (row i is item i of CboModello).
  const std::vector<RigaModello>& Righe() const { return righe_; }
  // The selection window the dialog was opened for.
  plat::Form* Finestra() const { return finestra_; }
  // The path of the last report written (empty before the first).
  const QString& UltimoDocumento() const { return ultimo_; }

  // Writes the report of the window into the document (the sections this
  // dialog offers, in their order); the print button saves and shows it.
  void ScriviRapporto(Documento& doc);
  // A section is written when its box is ticked and enabled.
  bool Sezione(int k) const;

 protected:
  void Progetta() override;
  void Form_Load() override;
  // Escape closes the dialog as its cancel button does.
  bool Form_KeyDown(int keyCode, Qt::KeyboardModifiers mod, QWidget* controllo) override;
  // The title bar's close box too: the dialog stays loaded, hidden, and keeps
  // its ticks and texts for the next opening.
  void closeEvent(QCloseEvent* e) override;

 private:
  int ModelloScelto() const;
  QString FileDi(const QString& cartella, const QString& nome) const;
  // Enables the boxes of the sections built on the files of model row i.
  void AbilitaFile(int i);
  // The window's rows and the record of the run that rated them: the
  // results section is offered only while both are there.
  bool RisultatiPronti() const;
  void AbilitaRisultati();
  void ImpostaAltezza(int twips);
  // The notes box shown (the tall layout) and enabled while Notes is ticked.
  void AdattaAltezza();
  // The path of the template; a missing one stops the print.
  QString FileRichiesto(const QString& cartella, const QString& nome) const;
  // The template read; one that cannot be read stops the print, with what
  // is wrong in it.
  static void Leggi(const QString& percorso, const std::function<void()>& lettura);
  // A file a section carries into the report.  A missing or unreadable one
  // leaves the section's content out: a bold line in its place names the
  // file by its name, and the user is told its whole path once the report
  // is saved.
  void LeggiSezione(const QString& cartella, const QString& nome,
                    const std::function<void(const QString& percorso)>& lettura);
  // One more dot on the progress label.
  void Avanza();
  // A section's page: page break and page header with its box's caption.
  void ApriSezione(int k);
  // A picture centred on a paragraph of its own.
  void SezioneImmagine(const QString& cartella, const QString& nome);
  void SezioneFoto();
  void BloccoTitolo();

  std::vector<RigaModello> righe_;
  QPointer<plat::Form> finestra_;
  QPointer<plat::RegistroCorsa> corsa_;  // the record of the window's run
  QMetaObject::Connection segueCorsa_;
  QString serie_;
  QString ultimo_;
  Documento* AppWord = nullptr;  // the report being written
  int modello_ = -1;
  QStringList mancanti_;  // the files left out of the report being written
};

extern plat::Istanza<FormStampa> FStampa;

// The print button of a selection window.
void ApriStampa(plat::Form& finestra, const QString& serie);

}  // namespace rapporto
