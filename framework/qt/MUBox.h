#pragma once
#include <QDialog>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/Markup.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace fw {

class MUBox;

// The window that opened a box may watch it: every command that would
// close the box is offered first (return false to keep the box open), and
// every change in a field is reported with the field's kind and index
// (its id − 1000).
class MUBoxOwner {
public:
    virtual ~MUBoxOwner() = default;
    virtual bool MUBoxCommand(MUBox& box, int command)
    {
        (void)box;
        (void)command;
        return true;
    }
    virtual void MUBoxFieldChanged(MUBox& box, MarkupFieldKind kind, int index)
    {
        (void)box;
        (void)kind;
        (void)index;
    }
};

// A modal box laid out from markup (see framework/Markup.h): its caption,
// icons and texts are painted, its fields and buttons are real controls at
// the places the layout computes. Texts and markup are Windows-1252.
class MUBox : public QDialog {
public:
    MUBox(QWidget* parent, std::string markup, int helpContext = 0);
    ~MUBox() override;

    // Lays the box out, shows it and runs it modally; the result is 1 (OK),
    // 2 (Cancel), 6 (Yes), 7 (No) or the id of another command that ended it.
    int Execute();
    // The two layout passes and the controls, without running; Execute does
    // this itself. For looking at a box without a modal loop.
    void prepare();

    void setOwner(MUBoxOwner* owner) { m_owner = owner; }
    // Bring the box in front of other programs' windows when shown.
    void setForeground(bool on) { m_flags = on ? m_flags | mubox::FlagForeground : m_flags & ~mubox::FlagForeground; }

    // The fields after the run, by id (1000 upwards).
    std::string fieldText(int id) const;
    bool isChecked(int id) const;
    QWidget* control(int id) const;
    const MarkupLayout& layout() const { return m_layout; }

    // A command as a button or a dialog key sends it: 1 OK, 2 Cancel, 3 Yes,
    // 4 No, 119 help.
    void command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;
    void accept() override;

private:
    class Metrics;

    void createControls();
    void placeControls();
    void placeBox();
    void requestHelp();

    std::unique_ptr<Metrics> m_metrics;
    MarkupLayout m_layout;
    MUBoxOwner* m_owner = nullptr;
    int m_flags = 0;
    std::map<int, QWidget*> m_controls;
};

}  // namespace fw
