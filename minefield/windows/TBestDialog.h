#pragma once
#include <QDialog>
#include <QString>
#include <array>

#include "minefield/BestTimes.h"

class QLabel;

namespace mf {

// The best times of one shape (dialog "Best Times"). It reads the shape's
// records when made; only OK writes them back.
class TBestDialog : public QDialog {
    Q_OBJECT
public:
    TBestDialog(ShapeKind shape, QString iniPath, QWidget* parent = nullptr);

    // Stores a record when it is a best time and shows it.
    bool StoreRecord(int level, int h, int m, int s, const std::string& name);
    // Asks first; the answer No (also Enter and Escape) keeps the records.
    void ResetScores();
    const BestTimes& Records() const { return m_best; }

    void accept() override;

private:
    void ShowRecords();
    QString ShownName(int level) const;

    QString m_iniPath;
    BestTimes m_best;
    std::array<QLabel*, LevelCount> m_timeFields{};
    std::array<QLabel*, LevelCount> m_nameFields{};
};

}  // namespace mf
