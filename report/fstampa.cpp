#include "report/fstampa.h"

#include <QCloseEvent>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <optional>

#include "core/ambiente.h"
#include "core/campi.h"
#include "core/testi.h"
#include "platform/griglia.h"
#include "platform/messaggi.h"
#include "platform/recordset.h"
#include "platform/registro_corsa.h"
#include "platform/schermo.h"
#include "platform/shell.h"
#include "report/documento.h"
#include "report/lettura_finestra.h"
#include "report/sezione_risultati.h"
#include "report/uscita.h"

namespace rapporto {

plat::Istanza<FormStampa> FStampa;

namespace {

// Sub-folders of the program folder holding the report's files.
const QString kFoto = QStringLiteral("FotoW");
const QString kDimensioni = QStringLiteral("dimensionali");
const QString kDescrizioni = QStringLiteral("Descrizioni");
const QString kSchemi = QStringLiteral("Schemi");
const QString kModello = QStringLiteral("intest.docx");

// The section boxes: caption text and, for the sections built on a file,
// the folder of that file.
struct Casella {
  int testo;
  const QString* cartella;
};
const Casella kCaselle[] = {{164, &kFoto},      {24, &kDescrizioni}, {66, nullptr},
                            {27, &kDimensioni}, {73, &kSchemi},      {165, nullptr}};

QString NomeDi(const RigaModello& r, int sezione) {
  switch (sezione) {
    case 0:
      return r.foto;
    case 1:
      return r.capitolato;
    case 3:
      return r.dimensioni;
    case 4:
      return r.schemi;
    default:
      return QString();
  }
}

int Px(int twips) { return twips / plat::kTwipPerPixel; }

}  // namespace

int RigaDelModello(const std::vector<RigaModello>& righe, const QString& modello) {
  const QString cercato = modello.trimmed();
  int migliore = -1;
  qsizetype lunghezza = 0;
  for (size_t i = 0; i < righe.size(); ++i) {
    const QString nome = righe[i].modello.trimmed();
    if (nome.isEmpty()) continue;
    if (nome.compare(cercato, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    if (nome.size() > lunghezza && cercato.startsWith(nome + QLatin1Char(' '), Qt::CaseInsensitive)) {
      migliore = static_cast<int>(i);
      lunghezza = nome.size();
    }
  }
  return migliore;
}

QString LineaStato::TestoMostrato() const {
  return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

void LineaStato::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(palette().color(foregroundRole()));
  p.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, TestoMostrato());
}

CasellaNote::CasellaNote(QWidget* parent) : QPlainTextEdit(parent) {
  // Word boundaries are sought to the end of an unbroken line for every
  // line of it: a long one would take seconds to lay out at every key.
  setWordWrapMode(QTextOption::WrapAnywhere);
}

qsizetype CasellaNote::Spazio() const {
  const qsizetype scelti = textCursor().selectionEnd() - textCursor().selectionStart();
  return std::max<qsizetype>(0, kMassimo - (document()->characterCount() - 1 - scelti));
}

namespace {

// The notes' limit, said when something was left out.
void NoteTroppoLunghe() { plat::MsgBox(core::Testo(199), plat::Icona::Esclamativa); }

// The length of the longest start of a text that takes at most `spazio`
// characters in the box, never half a character: a CR LF pair becomes one
// line end there, every other character (a lone CR, a tab, a paragraph
// separator) stays one.
qsizetype ParteCheCiSta(QStringView testo, qsizetype spazio) {
  qsizetype i = 0;
  for (qsizetype occupati = 0; i < testo.size();) {
    qsizetype passo = 1, prende = 1;
    if (i + 1 < testo.size()) {
      if (testo[i] == QLatin1Char('\r') && testo[i + 1] == QLatin1Char('\n'))
        passo = 2;
      else if (testo[i].isHighSurrogate() && testo[i + 1].isLowSurrogate())
        passo = prende = 2;
    }
    if (occupati + prende > spazio) break;
    occupati += prende;
    i += passo;
  }
  return i;
}

bool CiSta(QStringView testo, qsizetype spazio) { return ParteCheCiSta(testo, spazio) == testo.size(); }

// The text a key writes into the box (as the box's own handling decides: a
// line end for Enter, the key's text for a character whatever modifiers
// carry it, as Ctrl+Alt does for AltGr; nothing for Ctrl alone).
QString TestoDelTasto(const QKeyEvent* e) {
  if (e->matches(QKeySequence::InsertParagraphSeparator) || e->matches(QKeySequence::InsertLineSeparator))
    return QStringLiteral("\n");
  const QString t = e->text();
  if (t.isEmpty()) return QString();
  const QChar c = t.front();
  if (c.category() == QChar::Other_Format) return t;
  const auto m = e->modifiers();
  if (m == Qt::ControlModifier || m == (Qt::ControlModifier | Qt::ShiftModifier)) return QString();
  const bool scrive = c.isPrint() || c.category() == QChar::Other_PrivateUse || c == QLatin1Char('\t') ||
                      (c.isHighSurrogate() && t.size() > 1 && t[1].isLowSurrogate());
  return scrive ? t : QString();
}

}  // namespace

void CasellaNote::insertFromMimeData(const QMimeData* sorgente) {
  if (!sorgente || !sorgente->hasText() || CiSta(sorgente->text(), Spazio())) {
    QPlainTextEdit::insertFromMimeData(sorgente);
    return;
  }
  // Cut where the box is full.
  const QString testo = sorgente->text();
  insertPlainText(testo.left(ParteCheCiSta(testo, Spazio())));
  ensureCursorVisible();
  NoteTroppoLunghe();
}

void CasellaNote::keyPressEvent(QKeyEvent* e) {
  if (!CiSta(TestoDelTasto(e), Spazio())) {
    e->accept();
    NoteTroppoLunghe();
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

void CasellaNote::inputMethodEvent(QInputMethodEvent* e) {
  if (!CiSta(e->commitString(), Spazio() + e->replacementLength())) {
    e->setCommitString(QString());
    NoteTroppoLunghe();
  }
  QPlainTextEdit::inputMethodEvent(e);
}

bool FinestraConAria(const QString& nome) {
  return nome == QLatin1String("FDatiPXX") || nome == QLatin1String("FDatiPXXEC") ||
         nome == QLatin1String("FDatiPXXEC_VFIX");
}

FormStampa::FormStampa() : plat::Form(QStringLiteral("FStampa"), Tipo::Finestra) {}
FormStampa::~FormStampa() = default;

void FormStampa::Progetta() {
  setWindowModality(Qt::ApplicationModal);
  setFixedWidth(Px(7000));
  ImpostaAltezza(kAltezzaCorta);
  auto etichetta = [this](const QString& nome, int l, int t, int w) {
    auto* e = new plat::Label(this, nome);
    plat::PosizionaTw(e, l, t, w, 300);
    return e;
  };
  auto casella = [this](const QString& nome, int l, int t, int w) {
    auto* c = new plat::TextBox(this, nome);
    plat::PosizionaTw(c, l, t, w, 330);
    c->GotFocus = [c] { core::SelezionaTesto(c); };
    return c;
  };
  lbldata = etichetta(QStringLiteral("lbldata"), 150, 180, 1300);
  txtData = casella(QStringLiteral("txtData"), 1500, 150, 1500);
  lblcliente = etichetta(QStringLiteral("lblcliente"), 150, 600, 1300);
  txtcliente = casella(QStringLiteral("txtcliente"), 1500, 570, 5300);
  lblProgetto = etichetta(QStringLiteral("lblProgetto"), 150, 1020, 1300);
  txtProgetto = casella(QStringLiteral("txtProgetto"), 1500, 990, 5300);
  lblSezioni = etichetta(QStringLiteral("lblSezioni"), 150, 1500, 3000);
  QFont grassetto = lblSezioni->font();
  grassetto.setBold(true);
  lblSezioni->setFont(grassetto);
  for (int k = 0; k < 6; ++k) {
    auto* c = new plat::CheckBox(this, QStringLiteral("chkSelez"), k);
    plat::PosizionaTw(c, 150, 1850 + k * 360, 3000, 330);
    c->Click = [this, k] { chkSelez_Click(k); };
    chkSelez.Imposta(k, c);
  }
  frmModello = new plat::Frame(this, QStringLiteral("frmModello"));
  plat::PosizionaTw(frmModello, 3300, 1450, 3500, 2700);
  frmModello->setVisible(false);  // shown while a section on the chosen model is ticked
  CboModello = new plat::ComboBox(frmModello, QStringLiteral("CboModello"));
  plat::PosizionaTw(CboModello, 120, 300, 3260, 330);
  CboModello->Click = [this] { CboModello_Click(); };
  imgModello = new plat::Label(frmModello, QStringLiteral("imgModello"));
  plat::PosizionaTw(imgModello, 120, 720, 3260, 1850);
  imgModello->setAlignment(Qt::AlignCenter);
  lblAttesa = new LineaStato(this, QStringLiteral("lblAttesa"));
  plat::PosizionaTw(lblAttesa, 150, 4250, 6700, 300);
  cmdStampa = new plat::CommandButton(this, QStringLiteral("cmdStampa"));
  plat::PosizionaTw(cmdStampa, 1600, 4650, 1700, 420);
  cmdStampa->Click = [this] { cmdStampa_Click(); };
  cmdAnnulla = new plat::CommandButton(this, QStringLiteral("cmdAnnulla"));
  plat::PosizionaTw(cmdAnnulla, 3700, 4650, 1700, 420);
  cmdAnnulla->Click = [this] { cmdAnnulla_Click(); };
  txtNote = new CasellaNote(this);
  plat::NominaControllo(txtNote, QStringLiteral("txtNote"), -1);
  plat::PosizionaTw(txtNote, 150, 5250, 6650, 900);
  txtNote->setEnabled(false);
  txtNote->setVisible(false);
  txtNote->setTabChangesFocus(true);
}

void FormStampa::Form_Load() { core::CentraForm(this); }

void FormStampa::ImpostaAltezza(int twips) { setFixedHeight(Px(twips)); }

void FormStampa::AdattaAltezza() {
  const bool note = chkSelez(5)->Value() == 1;
  txtNote->setEnabled(note);
  // The short layout ends just below the box's top border: no line of it shows.
  txtNote->setVisible(note);
  ImpostaAltezza(note ? kAltezzaAlta : kAltezzaCorta);
}

bool FormStampa::Form_KeyDown(int keyCode, Qt::KeyboardModifiers, QWidget*) {
  if (keyCode != Qt::Key_Escape) return false;
  cmdAnnulla_Click();
  return true;
}

void FormStampa::Apri(plat::Form& finestra, const QString& serie) {
  finestra_ = &finestra;
  serie_ = serie;
  // The results box follows the window's rows also while the dialog is open
  // (a change of units clears them).
  disconnect(segueCorsa_);
  corsa_ = plat::RegistroCorsa::Di(finestra);
  if (corsa_)
    segueCorsa_ = connect(corsa_, &plat::RegistroCorsa::Cambiato, this, [this] { AbilitaRisultati(); });
  Mostra();
  Form_Activate();
}

void FormStampa::Form_Activate() {
  using core::Testo;
  righe_.clear();
  AdattaAltezza();
  ImpostaCaption(Testo(71));
  lbldata->SetCaption(Testo(161));
  lblcliente->SetCaption(Testo(18));
  lblProgetto->SetCaption(Testo(162));
  lblSezioni->SetCaption(Testo(163));
  for (int k = 0; k < 6; ++k) chkSelez(k)->SetCaption(Testo(kCaselle[k].testo));
  cmdStampa->SetCaption(Testo(74));
  cmdAnnulla->SetCaption(Testo(13));
  lblAttesa->setVisible(false);
  CboModello->Clear();
  txtData->SetText(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));

  const QString lingua = core::imp.CodiciLingua[static_cast<size_t>(core::imp.IndiceLingua)];
  if (core::imp.DbProdotti) {
    try {
      righe_ = RigheDellaLingua(*core::imp.DbProdotti, lingua, core::imp.LinguaDefault, serie_);
    } catch (const plat::ErroreDatabase& e) {
      plat::MsgBox(Testo(187) + QLatin1Char('\n') + QString::fromStdString(e.what()), plat::Icona::Critica);
      righe_.clear();
    }
  }
  for (const RigaModello& r : righe_) CboModello->AddItem(r.modello);
  // One model needs no choice.
  CboModello->setVisible(righe_.size() > 1);
  for (int k : {0, 1, 3, 4}) chkSelez(k)->setEnabled(false);
  // The model a run for one model rated, else the first: its photo and files.
  int scelta = 0;
  if (auto* cbo = finestra_ ? qobject_cast<plat::ComboBox*>(finestra_->Controllo(QStringLiteral("cboModel")))
                            : nullptr;
      cbo && cbo->ListIndex() > 0)
    scelta = std::max(0, RigaDelModello(righe_, cbo->List(cbo->ListIndex())));
  if (!righe_.empty()) CboModello->SetListIndex(scelta);
  if (righe_.empty()) imgModello->setPixmap(QPixmap());

  AbilitaRisultati();
  chkSelez(5)->setEnabled(true);
}

bool FormStampa::RisultatiPronti() const {
  // The grid of the window whose print button was pressed holds more than
  // one row, rated by the run the window recorded.
  auto* grd = finestra_ ? qobject_cast<plat::Griglia*>(finestra_->Controllo(QStringLiteral("Grd"))) : nullptr;
  return grd && grd->Rows() > 1 && corsa_ && corsa_->Presente();
}

void FormStampa::AbilitaRisultati() { chkSelez(2)->setEnabled(RisultatiPronti()); }

QString FormStampa::FileDi(const QString& cartella, const QString& nome) const {
  return TrovaFile(core::imp.PercorsoApp, cartella, nome);
}

void FormStampa::AbilitaFile(int i) {
  for (int k : {0, 1, 3, 4}) {
    const bool c = i >= 0 && i < static_cast<int>(righe_.size()) &&
                   !FileDi(*kCaselle[k].cartella, NomeDi(righe_[static_cast<size_t>(i)], k)).isEmpty();
    chkSelez(k)->setEnabled(c);
  }
}

void FormStampa::CboModello_Click() {
  const int i = CboModello->ListIndex();
  QPixmap foto;
  if (i >= 0 && i < static_cast<int>(righe_.size())) {
    const QString percorso = FileDi(kFoto, righe_[static_cast<size_t>(i)].foto);
    if (!percorso.isEmpty() && foto.load(percorso))
      foto = foto.scaled(imgModello->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    else
      foto = QPixmap();
  }
  imgModello->setPixmap(foto);
  AbilitaFile(i);
}

void FormStampa::chkSelez_Click(int) {
  frmModello->setVisible(chkSelez(0)->Value() == 1 || chkSelez(1)->Value() == 1 || chkSelez(3)->Value() == 1);
  AdattaAltezza();
}

void FormStampa::cmdAnnulla_Click() { hide(); }

void FormStampa::closeEvent(QCloseEvent* e) {
  e->accept();
  cmdAnnulla_Click();
}

bool FormStampa::Sezione(int k) const { return chkSelez(k)->Value() == 1 && chkSelez(k)->isEnabled(); }

int FormStampa::ModelloScelto() const {
  const int i = CboModello->ListIndex();
  return i >= 0 && i < static_cast<int>(righe_.size()) ? i : -1;
}

// ---- The report ----

void FormStampa::Intest_Pagina(const QString& titolo) {
  Documento& d = *AppWord;
  d.ImpostaAllineamento(Allineamento::Sinistra);
  d.AggiungiTabulazione(3);
  d.ImpostaGrassetto(true);
  d.ImpostaDimensione(12);
  d.ScriviTesto(lbldata->Caption() + QStringLiteral(" :\t") + txtData->Text());
  d.NuovoParagrafo();
  if (!txtcliente->Text().isEmpty()) {
    d.ScriviTesto(lblcliente->Caption() + QStringLiteral(" :\t") + txtcliente->Text());
    d.NuovoParagrafo();
  }
  if (!txtProgetto->Text().isEmpty()) {
    d.ScriviTesto(lblProgetto->Caption() + QStringLiteral(" :\t") + txtProgetto->Text());
    d.NuovoParagrafo();
  }
  d.ImpostaGrassetto(false);
  d.NuovoParagrafo();
  d.NuovoParagrafo();
  d.ImpostaAllineamento(Allineamento::Centro);
  d.ImpostaGrassetto(true);
  d.ImpostaDimensione(16);
  d.ScriviTesto(titolo);
  d.NuovoParagrafo();
  d.ImpostaGrassetto(false);
  d.ImpostaDimensione(10);
  d.ImpostaAllineamento(Allineamento::Sinistra);
  d.NuovoParagrafo();
  d.NuovoParagrafo();
}

QString FormStampa::FileRichiesto(const QString& cartella, const QString& nome) const {
  const QString percorso = FileDi(cartella, nome);
  if (percorso.isEmpty())
    throw ErroreStampa(core::Testo(190) + QDir::toNativeSeparators(QDir::cleanPath(
                                              core::imp.PercorsoApp + cartella + QLatin1Char('/') + nome)));
  return percorso;
}

void FormStampa::LeggiSezione(const QString& cartella, const QString& nome,
                              const std::function<void(const QString& percorso)>& lettura) {
  int testo = 190;
  QString percorso = FileDi(cartella, nome);
  if (percorso.isEmpty()) {
    percorso = core::imp.PercorsoApp + cartella + QLatin1Char('/') + nome;
  } else {
    try {
      lettura(percorso);
      return;
    } catch (const ErroreDocumento&) {
      testo = 191;
    }
  }
  percorso = QDir::cleanPath(percorso);
  mancanti_ << core::Testo(testo) + QDir::toNativeSeparators(percorso);
  Documento& d = *AppWord;
  d.ImpostaGrassetto(true);
  d.ScriviTesto(core::Testo(testo) + QFileInfo(percorso).fileName());
  d.ImpostaGrassetto(false);
}

void FormStampa::Avanza() { lblAttesa->SetCaption(lblAttesa->Caption() + QStringLiteral(" . ")); }

void FormStampa::ApriSezione(int k) {
  Avanza();
  AppWord->InterruzionePagina();
  Intest_Pagina(chkSelez(k)->Caption());
}

void FormStampa::SezioneImmagine(const QString& cartella, const QString& nome) {
  Documento& d = *AppWord;
  d.ImpostaAllineamento(Allineamento::Centro);
  LeggiSezione(cartella, nome, [&](const QString& percorso) { d.InserisciImmagine(percorso); });
  d.NuovoParagrafo();
  d.VaiAllaFine();
}

void FormStampa::Leggi(const QString& percorso, const std::function<void()>& lettura) {
  try {
    lettura();
  } catch (const ErroreDocumento& e) {
    // What is wrong in it, for whoever mends the file.
    throw ErroreStampa(core::Testo(191) + QDir::toNativeSeparators(QDir::cleanPath(percorso)) +
                       QLatin1Char('\n') + e.Testo());
  }
}

void FormStampa::SezioneFoto() {
  Documento& d = *AppWord;
  Avanza();
  const RigaModello& r = righe_[static_cast<size_t>(modello_)];
  d.AggiungiTabella(1, 2, Larghezze::Fisse);
  d.ImpostaGrassetto(true);
  d.ImpostaDimensione(24);
  d.ScriviTesto(QStringLiteral("Series : ") + r.modello);
  d.ImpostaGrassetto(true);
  d.ImpostaDimensione(18);
  for (int i = 0; i < 4; ++i) d.NuovoParagrafo();
  d.ScriviTesto(r.breveDesc);
  for (int i = 0; i < 3; ++i) d.NuovoParagrafo();
  d.CellaSuccessiva();
  LeggiSezione(kFoto, r.foto, [&](const QString& foto) { d.InserisciImmagine(foto); });
  d.ImpostaAllineamento(Allineamento::Centro);
  d.TogliBordoSinistroCella();
  d.CentraCellaVerticalmente();
}

void FormStampa::BloccoTitolo() {
  Documento& d = *AppWord;
  d.ImpostaAllineamento(Allineamento::Centro);
  d.AggiungiTabella(1, 1, Larghezze::Adattate);
  d.ImpostaGrassetto(true);
  d.ImpostaDimensione(24);
  d.ScriviTesto(core::Testo(167));
  d.CentraTabellaCorrente();
  d.VaiAllaFine();
  d.ImpostaGrassetto(true);
  d.ImpostaDimensione(12);
}

void FormStampa::ScriviRapporto(Documento& doc) {
  AppWord = &doc;
  struct Rilascia {
    Documento*& d;
    ~Rilascia() { d = nullptr; }
  } rilascia{AppWord};
  modello_ = ModelloScelto();
  mancanti_.clear();
  Intest_Pagina(QString());
  doc.VaiAllaFine();
  doc.ImpostaCarattere(QStringLiteral("Arial"));
  if (Sezione(0) && modello_ >= 0) SezioneFoto();
  doc.VaiAllaFine();
  for (int i = 0; i < 3; ++i) doc.NuovoParagrafo();
  BloccoTitolo();
  if (Sezione(2) && RisultatiPronti()) {
    ApriSezione(2);
    ScriviRisultati(doc, LetturaFinestra(*finestra_, *corsa_), serie_, [this] { Avanza(); });
  }
  if (Sezione(3) && modello_ >= 0) {
    ApriSezione(3);
    SezioneImmagine(kDimensioni, righe_[static_cast<size_t>(modello_)].dimensioni);
  }
  if (Sezione(1) && modello_ >= 0) {
    ApriSezione(1);
    LeggiSezione(kDescrizioni, righe_[static_cast<size_t>(modello_)].capitolato,
                 [&](const QString& testo) { doc.InserisciDocumento(testo); });
    doc.VaiAllaFine();
  }
  if (Sezione(4) && ModelloScelto() >= 0) {
    ApriSezione(4);
    SezioneImmagine(kSchemi, righe_[static_cast<size_t>(ModelloScelto())].schemi);
  }
  if (Sezione(5)) {
    ApriSezione(5);
    doc.ScriviTesto(txtNote->toPlainText());
    doc.VaiAllaFine();
  }
}

void FormStampa::cmdStampa_Click() {
  lblAttesa->SetCaption(core::Testo(166));
  lblAttesa->setVisible(true);
  lblAttesa->setToolTip(QString());
  cmdStampa->setEnabled(false);
  std::optional<plat::PuntatoreOccupato> occupato(std::in_place);
  Avanza();
  auto fallita = [&](const QString& messaggio) {
    occupato.reset();
    plat::MsgBox(messaggio, plat::Icona::Critica);
    lblAttesa->setVisible(false);
  };
  try {
    if (!finestra_) throw ErroreStampa(core::Testo(198));
    const QString modello = FileRichiesto(QStringLiteral("."), kModello);
    std::optional<Documento> doc;
    Leggi(modello, [&] {
      doc.emplace(Documento::DaModello(modello));
      // The letterhead's own texts and the document's language: the user's.
      std::map<QString, QString> testi;
      for (int n : {188, 189})
        for (int k = 0; k < core::kLingue; ++k) testi[core::Traduci((2 * k + 1) * 100 + n)] = core::Testo(n);
      doc->TraduciIntestazioni(testi);
      doc->ImpostaLingua(core::EtichettaLingua(core::imp.IndiceLingua));
    });
    ScriviRapporto(*doc);

    QString cartella = core::imp.CartellaOutput;
    if (cartella.isEmpty()) cartella = core::imp.PercorsoApp + QStringLiteral("Documenti");
    DocumentoNuovo nuovo(cartella, QDateTime::currentDateTime());
    lblAttesa->SetCaption(core::Testo(168) + QDir::toNativeSeparators(nuovo.Percorso()));
    plat::DoEvents();
    QByteArray dati;
    try {
      dati = doc->File();
    } catch (const ErroreDocumento& e) {
      // Written but not readable back: nothing is saved.
      throw ErroreStampa(core::Testo(195) + QDir::toNativeSeparators(nuovo.Percorso()) + QLatin1Char('\n') +
                         e.Testo());
    }
    nuovo.Scrivi(dati);
    const QString percorso = QDir::toNativeSeparators(nuovo.Percorso());
    lblAttesa->SetCaption(core::Testo(168) + percorso);
    lblAttesa->setToolTip(percorso);
    ultimo_ = nuovo.Percorso();
    const int esito = plat::ApriConShell(nuovo.Percorso());
    plat::DoEvents();
    if (mancanti_.isEmpty()) lblAttesa->SetCaption(lblAttesa->Caption() + QStringLiteral(" OK"));
    cmdStampa->setEnabled(true);
    occupato.reset();
    // Saved without the files it could not carry: the user is told which.
    if (!mancanti_.isEmpty())
      plat::MsgBox(mancanti_.join(QLatin1Char('\n')) + QStringLiteral("\n") + core::Testo(196) + percorso,
                   plat::Icona::Esclamativa);
    // Saved but not shown: the user is told where the report is.
    if (esito < 33)
      plat::MsgBox(core::Testo(196) + percorso + QStringLiteral("\n") + core::Testo(197),
                   plat::Icona::Informazione);
    return;
  } catch (const ErroreStampa& e) {
    fallita(e.Messaggio());
  } catch (const ErroreDocumento& e) {
    fallita(e.Testo());
  } catch (const std::exception& e) {
    fallita(QStringLiteral("Error number : 0 ") + QString::fromLocal8Bit(e.what()));
  }
  cmdStampa->setEnabled(true);
}

void ApriStampa(plat::Form& finestra, const QString& serie) { FStampa().Apri(finestra, serie); }

}  // namespace rapporto
