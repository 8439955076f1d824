// The result grid: rows and columns of text cells, the first rows fixed as a
// heading, column widths in twips, a current cell and a selection.
#pragma once

#include <QTableWidget>
#include <functional>

namespace plat {

class Griglia : public QTableWidget {
  Q_OBJECT
 public:
  Griglia(QWidget* parent, const QString& nome);

  int Rows() const { return rowCount(); }
  void SetRows(int n);
  int Cols() const { return columnCount(); }
  void SetCols(int n);
  int FixedRows() const { return fisse_; }
  void SetFixedRows(int n);
  // Width in twips; a column is widened where its text would not fit.
  void SetColWidth(int col, int twips);
  int ColWidth(int col) const;
  // Alignment 1 right, 0 left (data rows and heading rows apart).
  void SetColAlignment(int col, int allineamento);
  void SetFixedAlignment(int col, int allineamento);

  // Adds a row whose cells are the tab-separated parts of the text.
  void AddItem(const QString& testo);
  void RemoveItem(int riga);
  QString TextMatrix(int riga, int col) const;
  void SetTextMatrix(int riga, int col, const QString& testo);

  // Current cell and the other corner of the selection.
  int Row() const { return riga_; }
  int Col() const { return col_; }
  void SetRow(int r);
  void SetCol(int c);
  int RowSel() const { return rigaSel_; }
  int ColSel() const { return colSel_; }
  // Selects the block from the current cell to (rigaSel, colSel).
  void Seleziona(int riga, int col, int rigaSel, int colSel);
  QString Text() const { return TextMatrix(riga_, col_); }

  std::function<void()> DblClick;
  std::function<void(int& keyAscii)> KeyPress;

 signals:
  // Rows were taken away (SetRows to fewer rows, RemoveItem).
  void RigheTolte();

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Aggiorna(int riga);
  void AggiornaIntestazione();
  void Allarga(int col, int pixel);
  QTableWidgetItem* Cella(int riga, int col);
  int fisse_ = 0;
  int riga_ = 0, col_ = 0, rigaSel_ = 0, colSel_ = 0;
  std::vector<int> allDati_, allFisse_, piuLunga_;
  bool inSelezione_ = false;
};

}  // namespace plat
