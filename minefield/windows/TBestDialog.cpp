#include "minefield/windows/TBestDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "minefield/Texts.h"
#include "minefield/windows/UiText.h"

namespace mf {

namespace {

IniFile ReadIni(const QString& path)
{
    IniFile ini;
    ini.Load(path.toStdString());
    return ini;
}

}  // namespace

TBestDialog::TBestDialog(ShapeKind shape, QString iniPath, QWidget* parent)
    : QDialog(parent, DialogFlags), m_iniPath(std::move(iniPath)), m_best(shape)
{
    setObjectName("bestTimes");
    setWindowTitle(UiText(text::BestTimesTitle).arg(UiText(text::ShapeSquare + int(shape) - int(ShapeKind::Square))));
    m_best.Load(ReadIni(m_iniPath));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    for (int i = 0; i < LevelCount; ++i) {
        grid->addWidget(new QLabel(UiText(text::LevelBeginner + i)), i, 0);
        m_timeFields[size_t(i)] = new QLabel;
        m_timeFields[size_t(i)]->setObjectName(QStringLiteral("time%1").arg(i));
        m_nameFields[size_t(i)] = new QLabel;
        m_nameFields[size_t(i)]->setObjectName(QStringLiteral("name%1").arg(i));
        grid->addWidget(m_timeFields[size_t(i)], i, 1);
        grid->addWidget(m_nameFields[size_t(i)], i, 2);
    }
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName("ok");
    ok->setText(UiText(text::Ok));
    QPushButton* reset = buttons->addButton(UiText(text::ResetScores), QDialogButtonBox::ResetRole);
    reset->setObjectName("reset");
    // Enter (after Enter in the name entry) means OK, never Reset, even
    // when the focus sits on Reset.
    reset->setAutoDefault(false);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TBestDialog::accept);
    connect(reset, &QPushButton::clicked, this, &TBestDialog::ResetScores);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    ok->setFocus();
    ShowRecords();
}

QString TBestDialog::ShownName(int level) const
{
    // The default holder in the language shown; the file keeps it as it is.
    const std::string& name = m_best.Name(level);
    return name == BestTimes::Anonymous ? UiText(text::AnonymousName) : QString::fromStdString(name);
}

void TBestDialog::ShowRecords()
{
    for (int i = 0; i < LevelCount; ++i) {
        m_timeFields[size_t(i)]->setText(QString::fromStdString(FormatClock(m_best.Time(i))));
        m_nameFields[size_t(i)]->setText(ShownName(i));
    }
}

bool TBestDialog::StoreRecord(int level, int h, int m, int s, const std::string& name)
{
    if (!m_best.Store(level, h, m, s, name))
        return false;
    ShowRecords();
    return true;
}

void TBestDialog::ResetScores()
{
    QMessageBox ask(QMessageBox::Question, windowTitle(), UiText(text::ResetQuestion),
                    QMessageBox::Yes | QMessageBox::No, this);
    MakePlainDialog(&ask);
    ask.setObjectName("resetQuestion");
    ask.button(QMessageBox::Yes)->setText(UiText(text::Yes));
    ask.button(QMessageBox::No)->setText(UiText(text::No));
    ask.setDefaultButton(QMessageBox::No);
    ask.setEscapeButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes)
        return;
    m_best.Reset();
    ShowRecords();
}

void TBestDialog::accept()
{
    // The names are written as the fields show them.
    for (int i = 0; i < LevelCount; ++i)
        if (m_nameFields[size_t(i)]->text() != ShownName(i))
            m_best.SetName(i, m_nameFields[size_t(i)]->text().toStdString());
    IniFile ini = ReadIni(m_iniPath);
    m_best.Save(ini);
    if (!ini.Save(m_iniPath.toStdString())) {
        QMessageBox box(QMessageBox::Warning, "Minevaro", UiText(text::BestTimesNotWritten).arg(m_iniPath),
                        QMessageBox::Ok, this);
        MakePlainDialog(&box);
        box.button(QMessageBox::Ok)->setText(UiText(text::Ok));
        box.exec();
    }
    QDialog::accept();
}

}  // namespace mf
