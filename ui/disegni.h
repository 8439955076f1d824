// Pictures drawn by the program: language flags, toolbar pictures, logo.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace ui {

QPixmap Bandiera(int lingua, int larghezza = 48, int altezza = 32);
QIcon IconaStampante();
QIcon IconaUnita();
QIcon IconaLingua();
QPixmap Logo(int larghezza = 96, int altezza = 96);

}  // namespace ui
