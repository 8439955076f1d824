#include <QGridLayout>

#include "core/ambiente.h"
#include "core/campi.h"
#include "core/impostazioni.h"
#include "core/testi.h"
#include "ui/disegni.h"
#include "ui/finestre.h"

namespace ui {

plat::Istanza<FormLingua> Flingua;

void ImpostaLingua() {
  core::imp.BaseTesti = static_cast<int16_t>((2 * core::imp.IndiceLingua + 1) * 100);
  FormMenu& m = Fmenu();
  m.ImpostaCaption(QStringLiteral("Brivanto ") + QLatin1String(core::kVersione));
  using core::Testo;
  m.mnuFile->setTitle(Testo(2));
  m.mnuDefprt->setText(Testo(33));
  m.SSdefprt->setToolTip(Testo(33));
  m.mnufine->setText(Testo(3));
  m.mnuUnmis->setText(Testo(4));
  m.SSunmis->setToolTip(Testo(4));
  m.mnuscelta->setTitle(Testo(38));
  const char* prod[] = {"QZR-N-B", "QZU", "QZG", "QZR-N-B (S)"};
  for (int i = 0; i < 4; ++i) {
    m.mnuprod[i]->setText(QString::fromLatin1(prod[i]));
    m.SSprod[i]->setToolTip(i == 3 ? QStringLiteral("QZR-N-B  (S)") : QString::fromLatin1(prod[i]));
  }
  m.mnulingua->setText(Testo(69));
  m.SSlingua->setToolTip(Testo(69));
  m.mnuInfotarv->setText(Testo(34));
  m.mnuInfo->setText(Testo(35));

  // Close every window but the main and the language windows.
  int i = 0;
  while (i < plat::Forms::Count()) {
    plat::Form* f = plat::Forms::Item(i);
    if (f->Nome() != QLatin1String("Fmenu") && f->Nome() != QLatin1String("Flingua")) {
      f->Scarica();
    } else {
      ++i;
    }
  }
  core::ScriviIni("Common", "Multi", core::TestoIndice(core::imp.IndiceLingua));
}

FormLingua::FormLingua() : plat::Form(QStringLiteral("Flingua"), Tipo::Finestra) {
  setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
}

void FormLingua::Progetta() {
  auto* lay = new QGridLayout(this);
  const char* nomi[] = {"Italiano",  "Inglese", "Francese", "Tedesco", "Spagnolo",
                        "Ungherese", "Greco",   "Czech",    "Swedish", "Russian",
                        "Polish",    "Serbian", "Croatian", "Slovene", "Finnish"};
  for (int k = 0; k < 15; ++k) {
    auto* img = new plat::Label(this, "Image1", k);
    img->setPixmap(Bandiera(k));
    img->setCursor(Qt::PointingHandCursor);
    img->Click = [this, k] { Image1_Click(k); };
    Image1.Imposta(k, img);
    auto* lbl = new plat::Label(this, "lblLingua", k);
    lbl->SetCaption(QString::fromLatin1(nomi[k]));
    lblLingua.Imposta(k, lbl);
    const int riga = k % 5, col = (k / 5) * 2;
    lay->addWidget(img, riga, col);
    lay->addWidget(lbl, riga, col + 1);
  }
  lay->setHorizontalSpacing(10);
}

void FormLingua::Form_Load() {
  for (int i = plat::Forms::Count() - 1; i >= 0; --i) {
    plat::Form* f = plat::Forms::Item(i);
    if (f && (f->Nome() == QLatin1String("FDatiP") || f->Nome() == QLatin1String("FDatiPXX"))) f->Scarica();
  }
  setWindowTitle(core::Testo(69));
  for (int k = 0; k < 4; ++k) lblLingua(k)->SetCaption(core::Testo(90 + k));
  adjustSize();
  core::CentraForm(this);
}

void FormLingua::Image1_Click(int index) {
  core::imp.IndiceLingua = static_cast<int16_t>(index);
  ImpostaLingua();
  Scarica();
}

}  // namespace ui
