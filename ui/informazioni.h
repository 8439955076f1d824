// The system information box of the Help menu.
#pragma once

class QWidget;

namespace ui {

void MostraInfoSistema(QWidget* proprietario);

}  // namespace ui
