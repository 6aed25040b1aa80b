#include "minefield/windows/TCustomDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "minefield/BoardGeometry.h"
#include "minefield/windows/UiText.h"

namespace mf {

namespace {

QSpinBox* NumberBox(const char* name, int low, int high, int value)
{
    auto* box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(low, high);
    box->setValue(std::clamp(value, low, high));
    return box;
}

}  // namespace

TCustomDialog::TCustomDialog(int32_t columns, int32_t rows, int32_t mines, QWidget* parent)
    : QDialog(parent, DialogFlags)
{
    setObjectName("customBoard");
    setWindowTitle(UiText(text::CustomTitle));
    m_columns = NumberBox("columns", 1, MaxColumns, columns);
    m_rows = NumberBox("rows", 1, MaxRows, rows);
    m_mines = NumberBox("mines", 0, MaxColumns * MaxRows - 1, 0);
    KeepMinesInside();
    m_mines->setValue(std::clamp(mines, 0, m_mines->maximum()));
    connect(m_columns, &QSpinBox::valueChanged, this, &TCustomDialog::KeepMinesInside);
    connect(m_rows, &QSpinBox::valueChanged, this, &TCustomDialog::KeepMinesInside);

    auto* form = new QFormLayout;
    form->addRow(UiText(text::CustomWidth), m_columns);
    form->addRow(UiText(text::CustomHeight), m_rows);
    form->addRow(UiText(text::CustomMines), m_mines);
    auto* limits = new QLabel(UiText(text::CustomLimits));
    limits->setObjectName("limits");
    limits->setWordWrap(true);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(UiText(text::Ok), QDialogButtonBox::AcceptRole);
    ok->setObjectName("ok");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(UiText(text::Cancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(limits);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_columns->setFocus();
    m_columns->selectAll();
}

void TCustomDialog::KeepMinesInside()
{
    // Fewer mines than cells, or placing them would never end; a smaller
    // board takes the count down with it.
    m_mines->setMaximum(m_columns->value() * m_rows->value() - 1);
}

int32_t TCustomDialog::Columns() const { return m_columns->value(); }
int32_t TCustomDialog::Rows() const { return m_rows->value(); }
int32_t TCustomDialog::Mines() const { return m_mines->value(); }

}  // namespace mf
