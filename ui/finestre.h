// The main window and its dialogs.
#pragma once

#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <array>
#include <functional>

#include "platform/controlli.h"
#include "platform/form.h"

class QAction;
class QMdiArea;
class QMenuBar;
class QFrame;

namespace ui {

// ---- Main window ----

class FormMenu : public plat::Form {
  Q_OBJECT
 public:
  FormMenu();

  QMenuBar* barra = nullptr;
  QMenu* mnuFile = nullptr;
  QAction* mnuDefprt = nullptr;
  QAction* mnufine = nullptr;
  QAction* mnuUnmis = nullptr;
  QMenu* mnuscelta = nullptr;
  std::array<QAction*, 6> mnuprod{};
  std::array<QAction*, 4> mnuprods{};   // 1..3
  std::array<QAction*, 4> mnuprods1{};  // 1..3
  QAction* mnulingua = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuInfotarv = nullptr;
  QAction* mnuInfo = nullptr;

  QFrame* SSPanel1 = nullptr;
  QToolButton* SSdefprt = nullptr;
  QToolButton* SSunmis = nullptr;
  QToolButton* SSlingua = nullptr;
  std::array<QPushButton*, 4> SSprod{};
  QPushButton* SSprodBLDC = nullptr;
  QFrame* SSPanel2 = nullptr;
  plat::Label* lblVer = nullptr;
  plat::Label* lblOra = nullptr;
  plat::Timer* Timer1 = nullptr;
  QMdiArea* area = nullptr;

  // Handlers, named as the entries.
  void mnuDefprt_Click();
  void mnufine_Click();
  void mnuUnmis_Click();
  void mnulingua_Click();
  void mnuInfo_Click();
  void mnuInfotarv_Click();
  void mnuprod_Click(int index);
  void mnuprods_Click(int index);
  void mnuprods1_Click(int index);
  void SSprodBLDC_Click();
  void Timer1_Timer();

  // Replaces the printer set-up dialog (tests).
  std::function<void()> impostaStampante;

 protected:
  void Progetta() override;
  void Form_Load() override;
  void Form_Unload() override;
};

extern plat::Istanza<FormMenu> Fmenu;

// ---- About box and splash ----

// A box of information on the program.  Escape closes it, and so do Enter
// and Return on its close button, whether the key reaches a control or the
// window itself (as where no window manager gives a control the focus).
// Without its close button (the splash) the keys leave it open.
class FinestraInformazioni : public plat::Form {
  Q_OBJECT
 public:
  using plat::Form::Form;

 protected:
  virtual plat::CommandButton* PulsanteChiusura() const = 0;
  bool Form_KeyDown(int keyCode, Qt::KeyboardModifiers mod, QWidget* controllo) override;
};

class FormInfo : public FinestraInformazioni {
  Q_OBJECT
 public:
  FormInfo();
  plat::Label* Picture1 = nullptr;
  plat::Label* lblDescri = nullptr;
  plat::Label* lblVer = nullptr;
  plat::Label* Label5 = nullptr;
  plat::Label* Label2 = nullptr;
  plat::Label* Label3 = nullptr;
  plat::Label* Label4 = nullptr;
  plat::Label* Label1 = nullptr;
  plat::Label* Label6 = nullptr;
  plat::CommandButton* CmdFine = nullptr;

  static QString IndirizzoWeb();
  static QString IndirizzoPosta();

 protected:
  void Progetta() override;
  void Form_Load() override;
  plat::CommandButton* PulsanteChiusura() const override { return CmdFine; }
};

extern plat::Istanza<FormInfo> FInfo;

// ---- Language window ----

class FormLingua : public plat::Form {
  Q_OBJECT
 public:
  FormLingua();
  plat::ArrayControlli<plat::Label> Image1;
  plat::ArrayControlli<plat::Label> lblLingua;
  void Image1_Click(int index);

 protected:
  void Progetta() override;
  void Form_Load() override;
};

extern plat::Istanza<FormLingua> Flingua;

// ---- Units window ----

class FormUnita : public plat::Form {
  Q_OBJECT
 public:
  FormUnita();
  plat::ComboBox* cboPotenz = nullptr;
  plat::ComboBox* cboqa = nullptr;
  plat::ComboBox* cboqw = nullptr;
  plat::ComboBox* cboDpw = nullptr;
  plat::ComboBox* cboDpA = nullptr;
  plat::Label* lblPotenz = nullptr;
  plat::Label* lblQa = nullptr;
  plat::Label* lblQW = nullptr;
  plat::Label* lbldpw = nullptr;
  plat::Label* lblpsu = nullptr;
  plat::CommandButton* cmdOK = nullptr;

  void cboPotenz_Click();
  void cboDpw_Click();
  void cmdOK_Click();

 protected:
  void Progetta() override;
  void Form_Load() override;
  void Form_Unload() override;

 private:
  // The chosen units become the units in force; when they change, the
  // open windows follow them.
  void Applica();
};

extern plat::Istanza<FormUnita> Funmis;

// ---- EC-series chooser ----

class FormSceltaEC : public plat::Form {
  Q_OBJECT
 public:
  FormSceltaEC();
  plat::Label* Label1 = nullptr;
  plat::Label* Label2 = nullptr;
  plat::ArrayControlli<plat::CommandButton> cmdBLDC;
  plat::ArrayControlli<plat::CommandButton> cmdBLDCeasy;
  void cmdBLDC_Click(int index);
  void cmdBLDCeasy_Click(int index);

 protected:
  void Progetta() override;
};

extern plat::Istanza<FormSceltaEC> FChkBLDC;

// Applies the current language to the main window, closes every other
// window but the language window, and saves the language index.
void ImpostaLingua();

}  // namespace ui
