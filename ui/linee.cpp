#include "ui/linee.h"

#include "core/ambiente.h"
#include "core/testi.h"
#include "selection/fdatip.h"
#include "selection/fdatipxx.h"

namespace ui {
namespace {

Caricatore& CaricatoreCorrente() {
  static Caricatore c;
  return c;
}

QString Fisso(const char* t) { return QString::fromUtf8(t); }

}  // namespace

const LineaProdotto& Definizione(Linea l) {
  static const LineaProdotto tabella[] = {
      {"KALVO", [] () -> sel::FinestraSelezione& { return sel::FDatiP(); }, [] { return Fisso("QZA-E-T"); }, false},
      {"RMB", [] () -> sel::FinestraSelezione& { return sel::FDatiPXX(); }, [] { return Fisso("QZU"); }, false},
      {"DVK", [] () -> sel::FinestraSelezione& { return sel::FDatiPXX(); }, [] { return Fisso("QZG"); }, false},
      {"KALVOP", [] () -> sel::FinestraSelezione& { return sel::FDatiP(); },
       [] { return core::Testo(87) + QStringLiteral("P"); }, false},
      {"KALVOEC", [] () -> sel::FinestraSelezione& { return sel::FDatiPEC(); }, [] { return Fisso("QZO-Y-C"); }, false},
      {"DVKBLDC", [] () -> sel::FinestraSelezione& { return sel::FDatiPXXEC(); }, [] { return Fisso("QZJ"); }, false},
      {"RMBBLDC", [] () -> sel::FinestraSelezione& { return sel::FDatiPXXEC(); }, [] { return Fisso("QZX"); }, false},
      {"KALVOEC", [] () -> sel::FinestraSelezione& { return sel::FDatiPEC_VFIX(); }, [] { return Fisso("QZO-Y-C"); },
       true},
      {"DVKBLDC", [] () -> sel::FinestraSelezione& { return sel::FDatiPXXEC_VFIX(); }, [] { return Fisso("QZJ"); },
       true},
      {"RMBBLDC", [] () -> sel::FinestraSelezione& { return sel::FDatiPXXEC_VFIX(); }, [] { return Fisso("QZX"); },
       true},
  };
  return tabella[static_cast<int>(l)];
}

void ImpostaCaricatore(Caricatore c) { CaricatoreCorrente() = std::move(c); }

void ApriLinea(Linea l) {
  const LineaProdotto& d = Definizione(l);
  core::imp.FlagVFix = d.facile;
  core::imp.SerieCorrente = QString::fromLatin1(d.serie);
  sel::FinestraSelezione& f = d.finestra();
  f.ImpostaCaption(d.caption());
  f.Mostra();
  if (CaricatoreCorrente()) {
    CaricatoreCorrente()(core::imp.SerieCorrente, *f.cboModel);
  } else {
    f.cboModel->Clear();
    f.cboModel->AddItem(core::Testo(84));
    f.cboModel->SetListIndex(0);
  }
}

}  // namespace ui
