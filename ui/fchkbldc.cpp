#include "platform/schermo.h"
#include "ui/finestre.h"
#include "ui/linee.h"

namespace ui {

plat::Istanza<FormSceltaEC> FChkBLDC;

FormSceltaEC::FormSceltaEC() : plat::Form(QStringLiteral("FChkBLDC"), Tipo::Finestra) {
  setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
}

void FormSceltaEC::Progetta() {
  setFixedSize(5400 / plat::kTwipPerPixel, 2500 / plat::kTwipPerPixel);
  setAutoFillBackground(true);
  QPalette pal = palette();
  QLinearGradient g(0, 0, 0, height());
  g.setColorAt(0, QColor(222, 232, 242));
  g.setColorAt(1, QColor(176, 196, 216));
  pal.setBrush(QPalette::Window, g);
  setPalette(pal);
  Label1 = new plat::Label(this, "Label1");
  Label1->SetCaption(QStringLiteral("Advanced calc."));
  plat::PosizionaTw(Label1, 525, 75, 1800, 400);
  Label2 = new plat::Label(this, "Label2");
  Label2->SetCaption(QStringLiteral("Easy calc."));
  plat::PosizionaTw(Label2, 3600, 75, 1800, 400);
  const int top[] = {0, 600, 1125, 1650};
  for (int i = 1; i <= 3; ++i) {
    auto* a = new plat::CommandButton(this, "cmdBLDC", i);
    a->SetCaption(CaptionLinea(catalogo::Descrittore(kLineeEC[i])));
    plat::PosizionaTw(a, 450, top[i], 1440, 465);
    a->Click = [this, i] { cmdBLDC_Click(i); };
    cmdBLDC.Imposta(i, a);
    auto* b = new plat::CommandButton(this, "cmdBLDCeasy", i);
    b->SetCaption(a->Caption());
    plat::PosizionaTw(b, 3600, top[i], 1440, 465);
    b->Click = [this, i] { cmdBLDCeasy_Click(i); };
    cmdBLDCeasy.Imposta(i, b);
  }
}

void FormSceltaEC::cmdBLDC_Click(int index) {
  if (index < 1 || index > 3) return;
  ApriLinea(kLineeEC[index]);
  Scarica();
}

void FormSceltaEC::cmdBLDCeasy_Click(int index) {
  if (index < 1 || index > 3) return;
  ApriLinea(kLineeEC[index], true);
  Scarica();
}

}  // namespace ui
