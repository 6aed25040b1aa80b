#pragma once
#include <QDialog>
#include <cstdint>

class QSpinBox;

namespace mf {

// Width, height and mines of a board of one's own, inside the grid: 1..32
// columns, 1..24 rows and fewer mines than cells.
class TCustomDialog : public QDialog {
    Q_OBJECT
public:
    TCustomDialog(int32_t columns, int32_t rows, int32_t mines, QWidget* parent = nullptr);

    int32_t Columns() const;
    int32_t Rows() const;
    int32_t Mines() const;

private:
    void KeepMinesInside();

    QSpinBox* m_columns = nullptr;
    QSpinBox* m_rows = nullptr;
    QSpinBox* m_mines = nullptr;
};

}  // namespace mf
