#pragma once
// A grid that shows a numeric matrix, with element numbers in a fixed first row and
// column unless ElementNumber is off.

#include <QString>

#include "widgets/FormControls.h"

namespace kavelo::ui {

class TMatGrid : public TStringGrid {
    Q_OBJECT
    Q_PROPERTY(bool ElementNumber READ ElementNumber WRITE setElementNumber)
    Q_PROPERTY(bool InitZero READ InitZero WRITE setInitZero)
    Q_PROPERTY(int fixedRows READ fixedRows)
    Q_PROPERTY(int fixedCols READ fixedCols)
  public:
    explicit TMatGrid(QWidget* parent = nullptr);

    bool ElementNumber() const { return elementNumber_; }
    void setElementNumber(bool on) { elementNumber_ = on; }
    bool InitZero() const { return initZero_; }
    void setInitZero(bool on) { initZero_ = on; }
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }

    // Shows rows x cols elements of a row-major matrix whose rows lie stride elements
    // apart; each element formatted with format (one f/e/g conversion, e.g. "%8.3f").
    void Display(const float* matrix, int stride, int rows, int cols, const QString& format);
    void display(const double* matrix, int stride, int rows, int cols, const QString& format);
    // Empties every cell from column 1 and row 1 on.
    void Clear();

  private:
    template <typename T>
    void show(const T* m, int stride, int rows, int cols, const QString& format);
    void setFixed(int rows, int cols);

    bool elementNumber_ = true;
    bool initZero_ = false;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
};

}  // namespace kavelo::ui
