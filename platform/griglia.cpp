#include "platform/griglia.h"

#include <QHeaderView>
#include <QFontMetrics>
#include <QKeyEvent>
#include <optional>

#include "platform/controlli.h"
#include "platform/schermo.h"

namespace plat {

Griglia::Griglia(QWidget* parent, const QString& nome) : QTableWidget(parent) {
  NominaControllo(this, nome, -1);
  horizontalHeader()->setVisible(false);
  verticalHeader()->setVisible(false);
  verticalHeader()->setDefaultSectionSize(20);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setWordWrap(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int r, int c) {
    riga_ = r;
    col_ = c;
    if (DblClick) DblClick();
  });
  connect(this, &QTableWidget::itemSelectionChanged, this, [this] {
    if (inSelezione_) return;
    const auto sel = selectedRanges();
    if (sel.isEmpty()) return;
    const QTableWidgetSelectionRange& s = sel.front();
    const int cr = currentRow(), cc = currentColumn();
    // The current cell is one corner of the block, the other is the selection end.
    riga_ = cr >= 0 ? cr : s.topRow();
    col_ = cc >= 0 ? cc : s.leftColumn();
    rigaSel_ = riga_ == s.topRow() ? s.bottomRow() : s.topRow();
    colSel_ = col_ == s.leftColumn() ? s.rightColumn() : s.leftColumn();
  });
}

void Griglia::SetRows(int n) {
  const int prima = rowCount();
  setRowCount(n);
  for (int r = prima; r < n; ++r) Aggiorna(r);
  if (riga_ >= n) riga_ = rigaSel_ = std::max(0, n - 1);
  if (n < prima) emit RigheTolte();
}

void Griglia::SetCols(int n) {
  setColumnCount(n);
  piuLunga_.assign(n, 0);
  allDati_.resize(n, 0);
  allFisse_.resize(n, 0);
  if (col_ >= n) col_ = colSel_ = std::max(0, n - 1);
}

void Griglia::SetFixedRows(int n) {
  fisse_ = n;
  for (int r = 0; r < rowCount(); ++r) Aggiorna(r);
  AggiornaIntestazione();
}

// The fixed rows are shown as the grid's heading, which stays in view while
// the rows scroll; they remain rows 0.. of the grid for every reader.
void Griglia::AggiornaIntestazione() {
  const bool intestazione = fisse_ > 0 && fisse_ <= rowCount();
  for (int r = 0; r < rowCount(); ++r) setRowHidden(r, intestazione && r < fisse_);
  horizontalHeader()->setVisible(intestazione);
  if (!intestazione) return;
  QFontMetrics fm(horizontalHeader()->font());
  for (int c = 0; c < columnCount(); ++c) {
    QStringList righe;
    for (int r = 0; r < fisse_; ++r) righe << TextMatrix(r, c);
    const QString testo = righe.join(QLatin1Char('\n'));
    auto* it = horizontalHeaderItem(c);
    if (!it) {
      it = new QTableWidgetItem();
      setHorizontalHeaderItem(c, it);
    }
    it->setText(testo);
    it->setTextAlignment(Qt::AlignVCenter | (allFisse_[c] == 1 ? Qt::AlignRight : Qt::AlignLeft));
    for (const QString& riga : righe) Allarga(c, fm.horizontalAdvance(riga) + 10);
  }
}

void Griglia::Allarga(int col, int pixel) {
  if (columnWidth(col) < pixel) setColumnWidth(col, pixel);
}

void Griglia::SetColWidth(int col, int twips) { setColumnWidth(col, twips / kTwipPerPixel); }
int Griglia::ColWidth(int col) const { return columnWidth(col) * kTwipPerPixel; }

void Griglia::SetColAlignment(int col, int allineamento) {
  if (col < 0 || col >= columnCount()) return;
  allDati_[col] = allineamento;
  for (int r = 0; r < rowCount(); ++r) Aggiorna(r);
}

void Griglia::SetFixedAlignment(int col, int allineamento) {
  if (col < 0 || col >= columnCount()) return;
  allFisse_[col] = allineamento;
  for (int r = 0; r < rowCount(); ++r) Aggiorna(r);
}

QTableWidgetItem* Griglia::Cella(int riga, int col) {
  QTableWidgetItem* it = item(riga, col);
  if (!it) {
    it = new QTableWidgetItem();
    setItem(riga, col, it);
  }
  return it;
}

void Griglia::Aggiorna(int riga) {
  const bool fissa = riga < fisse_;
  for (int c = 0; c < columnCount(); ++c) {
    QTableWidgetItem* it = Cella(riga, c);
    const int a = fissa ? allFisse_[c] : allDati_[c];
    it->setTextAlignment(Qt::AlignVCenter | (a == 1 ? Qt::AlignRight : Qt::AlignLeft));
    it->setBackground(fissa ? QBrush(QColor(224, 224, 224)) : QBrush());
    QFont f = it->font();
    f.setBold(fissa);
    it->setFont(f);
  }
}

void Griglia::AddItem(const QString& testo) {
  const int r = rowCount();
  setRowCount(r + 1);
  const QStringList celle = testo.split(QLatin1Char('\t'));
  for (int c = 0; c < columnCount(); ++c) Cella(r, c)->setText(c < celle.size() ? celle[c] : QString());
  Aggiorna(r);
  // A column is widened to show its whole text (measured when a column gets
  // a longer text than any before).
  std::optional<QFontMetrics> fm;
  for (int c = 0; c < columnCount() && c < celle.size(); ++c) {
    if (celle[c].size() <= piuLunga_[c]) continue;
    piuLunga_[c] = static_cast<int>(celle[c].size());
    if (!fm) fm.emplace(font());
    Allarga(c, fm->horizontalAdvance(celle[c]) + 10);
  }
}

void Griglia::RemoveItem(int riga) {
  if (riga < 0 || riga >= rowCount()) return;
  removeRow(riga);
  if (riga < fisse_) --fisse_;
  AggiornaIntestazione();
  emit RigheTolte();
}

QString Griglia::TextMatrix(int riga, int col) const {
  const QTableWidgetItem* it = item(riga, col);
  return it ? it->text() : QString();
}

void Griglia::SetTextMatrix(int riga, int col, const QString& testo) {
  if (riga < 0 || riga >= rowCount() || col < 0 || col >= columnCount()) return;
  Cella(riga, col)->setText(testo);
  if (riga < fisse_) AggiornaIntestazione();
}

void Griglia::SetRow(int r) { riga_ = std::clamp(r, 0, std::max(0, rowCount() - 1)); }
void Griglia::SetCol(int c) { col_ = std::clamp(c, 0, std::max(0, columnCount() - 1)); }

void Griglia::Seleziona(int riga, int col, int rigaSel, int colSel) {
  inSelezione_ = true;
  clearSelection();
  setCurrentCell(riga, col, QItemSelectionModel::NoUpdate);
  setRangeSelected(QTableWidgetSelectionRange(std::min(riga, rigaSel), std::min(col, colSel),
                                              std::max(riga, rigaSel), std::max(col, colSel)),
                   true);
  inSelezione_ = false;
  riga_ = riga;
  col_ = col;
  rigaSel_ = rigaSel;
  colSel_ = colSel;
}

void Griglia::keyPressEvent(QKeyEvent* e) {
  if (KeyPress && e->key() == Qt::Key_C && (e->modifiers() & Qt::ControlModifier)) {
    int ascii = 3;
    KeyPress(ascii);
    return;
  }
  QTableWidget::keyPressEvent(e);
}

}  // namespace plat
