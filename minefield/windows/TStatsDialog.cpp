#include "minefield/windows/TStatsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "minefield/windows/UiText.h"

namespace mf {

namespace {

QString RowName(int row)
{
    return UiText(row == Statistics::CustomRow ? text::LevelCustom : text::LevelBeginner + row);
}

QString Rate(double rate) { return UiLocale().toString(rate, 'f', 2); }

QString Percent(double share) { return UiLocale().toString(share * 100.0, 'f', 1) + QStringLiteral("\u00A0%"); }

QString Seconds(int32_t ms) { return UiLocale().toString(ms / 1000.0, 'f', 2) + QStringLiteral("\u00A0s"); }

QTableWidget* Table(const char* name, const QStringList& headers)
{
    auto* table = new QTableWidget;
    table->setObjectName(name);
    table->setColumnCount(int(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

// Names to the left, numbers to the right.
void Put(QTableWidget* table, int row, int column, const QString& text, bool number = true)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    table->setItem(row, column, item);
}

constexpr ShapeKind kShapes[] = {ShapeKind::Square,   ShapeKind::Diamond, ShapeKind::Brick,
                                 ShapeKind::Triangle, ShapeKind::Shifted, ShapeKind::Hexagon};

}  // namespace

TStatsDialog::TStatsDialog(ShapeKind shape, int level, QString iniPath, QWidget* parent)
    : QDialog(parent, DialogFlags), m_iniPath(std::move(iniPath)), m_shape(shape), m_row(Statistics::RowOf(level))
{
    setObjectName("statistics");
    setWindowTitle(UiText(text::StatisticsTitle));
    IniFile ini;
    ini.Load(m_iniPath.toStdString());
    m_stats.Load(ini);

    m_shapes = new QComboBox;
    m_shapes->setObjectName("shape");
    for (ShapeKind s : kShapes)
        m_shapes->addItem(UiText(text::ShapeSquare + int(s) - 1), int(s));
    auto* shapeLabel = new QLabel(UiText(text::CellShapeLabel));
    shapeLabel->setBuddy(m_shapes);
    auto* top = new QHBoxLayout;
    top->addWidget(shapeLabel);
    top->addWidget(m_shapes);
    top->addStretch(1);

    m_table = Table("levels", {UiText(text::ColumnLevel), UiText(text::ColumnPlayed), UiText(text::ColumnWon),
                               UiText(text::ColumnWinRate), UiText(text::ColumnStreak),
                               UiText(text::ColumnBestStreak), UiText(text::ColumnBestRate)});
    m_table->setRowCount(Statistics::Rows);
    m_winsTitle = new QLabel;
    m_winsTitle->setObjectName("winsTitle");
    // The 3BV and its rate per second are the players' own units, the same in every language.
    m_wins = Table("wins", {QStringLiteral("3BV"), UiText(text::ColumnTime), QStringLiteral("3BV/s")});
    m_wins->setSelectionMode(QAbstractItemView::NoSelection);

    auto* buttons = new QDialogButtonBox;
    QPushButton* reset = buttons->addButton(UiText(text::ResetButton), QDialogButtonBox::ResetRole);
    reset->setObjectName("reset");
    reset->setAutoDefault(false);
    QPushButton* close = buttons->addButton(UiText(text::CloseButton), QDialogButtonBox::RejectRole);
    close->setObjectName("close");
    close->setDefault(true);
    connect(reset, &QPushButton::clicked, this, &TStatsDialog::ResetShape);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table);
    layout->addWidget(m_winsTitle);
    layout->addWidget(m_wins);
    layout->addWidget(buttons);

    connect(m_shapes, &QComboBox::currentIndexChanged, this,
            [this](int index) { ShowShape(ShapeKind(m_shapes->itemData(index).toInt())); });
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && row != m_row)
            ShowRow(row);
    });
    ShowShape(shape);
    FitTables();
    // Sized to what it shows: a window manager offers no maximising then.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TStatsDialog::FitTables()
{
    // Every level row shows without scrolling; the wins scroll past eight.
    const auto rowsHeight = [](const QTableWidget* t, int rows) {
        return t->horizontalHeader()->sizeHint().height() + rows * t->verticalHeader()->defaultSectionSize() +
               2 * t->frameWidth();
    };
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setFixedSize(m_table->horizontalHeader()->length() + 2 * m_table->frameWidth(),
                          rowsHeight(m_table, Statistics::Rows));
    m_wins->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_wins->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_wins->setFixedSize(m_table->width(), rowsHeight(m_wins, 8));
}

void TStatsDialog::ShowShape(ShapeKind shape)
{
    m_shape = shape;
    const int index = m_shapes->findData(int(shape));
    if (m_shapes->currentIndex() != index) {
        const QSignalBlocker quiet(m_shapes);
        m_shapes->setCurrentIndex(index);
    }
    FillTable();
    FillWins();
}

void TStatsDialog::ShowRow(int row)
{
    m_row = row;
    if (m_table->currentRow() != row) {
        const QSignalBlocker quiet(m_table);
        m_table->selectRow(row);
    }
    FillWins();
}

void TStatsDialog::FillTable()
{
    const QSignalBlocker quiet(m_table);
    for (int row = 0; row < Statistics::Rows; ++row) {
        const LevelStats& s = m_stats.At(m_shape, row);
        Put(m_table, row, 0, RowName(row), false);
        Put(m_table, row, 1, UiLocale().toString(s.played));
        Put(m_table, row, 2, UiLocale().toString(s.won));
        Put(m_table, row, 3, s.played > 0 ? Percent(s.WinRate()) : QString());
        Put(m_table, row, 4, UiLocale().toString(s.streak));
        Put(m_table, row, 5, UiLocale().toString(s.bestStreak));
        Put(m_table, row, 6, s.best ? Rate(s.best->Rate()) : QString());
    }
    m_table->selectRow(m_row);
    m_table->resizeColumnsToContents();
}

void TStatsDialog::FillWins()
{
    const LevelStats& s = m_stats.At(m_shape, m_row);
    m_winsTitle->setText(s.wins.empty() ? UiText(text::NoWinYet) : UiText(text::WinsOfLevel).arg(RowName(m_row)));
    m_wins->setRowCount(int(s.wins.size()));
    int row = 0;
    for (auto w = s.wins.rbegin(); w != s.wins.rend(); ++w, ++row) {
        Put(m_wins, row, 0, UiLocale().toString(w->threeBV));
        Put(m_wins, row, 1, Seconds(w->milliseconds));
        Put(m_wins, row, 2, Rate(w->Rate()));
    }
}

void TStatsDialog::ResetShape()
{
    QMessageBox ask(QMessageBox::Question, windowTitle(), UiText(text::StatisticsResetQuestion),
                    QMessageBox::Yes | QMessageBox::No, this);
    MakePlainDialog(&ask);
    ask.setObjectName("resetQuestion");
    ask.button(QMessageBox::Yes)->setText(UiText(text::Yes));
    ask.button(QMessageBox::No)->setText(UiText(text::No));
    ask.setDefaultButton(QMessageBox::No);
    ask.setEscapeButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes)
        return;
    IniFile ini;
    ini.Load(m_iniPath.toStdString());
    // Read again: only this shape goes, whatever was written meanwhile stays.
    m_stats.Load(ini);
    m_stats.Reset(m_shape);
    m_stats.Save(ini);
    if (!ini.Save(m_iniPath.toStdString())) {
        QMessageBox box(QMessageBox::Warning, "Minevaro", UiText(text::StatisticsNotWritten).arg(m_iniPath),
                        QMessageBox::Ok, this);
        box.button(QMessageBox::Ok)->setText(UiText(text::Ok));
        MakePlainDialog(&box);
        box.exec();
    }
    FillTable();
    FillWins();
}

}  // namespace mf
