#pragma once
#include <QDialog>
#include <QString>

#include "minefield/Statistics.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace mf {

// The statistics of one shape at a time: a row per level (and one for the
// boards of a size of one's own) with games played and won, win rate,
// streaks and the best 3BV/s, and beneath it the wins of the chosen row.
// Reset asks first and then writes at once.
class TStatsDialog : public QDialog {
    Q_OBJECT
public:
    TStatsDialog(ShapeKind shape, int level, QString iniPath, QWidget* parent = nullptr);

    void ShowShape(ShapeKind shape);
    void ShowRow(int row);
    void ResetShape();
    ShapeKind Shape() const { return m_shape; }
    const Statistics& Stats() const { return m_stats; }

private:
    void FillTable();
    void FillWins();
    void FitTables();

    QString m_iniPath;
    Statistics m_stats;
    ShapeKind m_shape;
    int m_row = 0;
    QComboBox* m_shapes = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_winsTitle = nullptr;
    QTableWidget* m_wins = nullptr;
};

}  // namespace mf
