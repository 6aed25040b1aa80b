#pragma once
#include <QRect>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "framework/qt/Window.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QEventLoop;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class QScreen;

namespace fw {

// The base of the small dialog windows. A subclass places its controls in
// code, at rectangles of the client area, each under a numbered id; it
// reads and sets them by id. Buttons send their id as a command to the
// dialog; a change in a control arrives as a ControlEvent. Commands 1 (OK)
// and 2 (Cancel) end a modal run unless the subclass handles them itself
// or refuses with CanEnd; Enter sends the default button's id, Esc sends 2,
// F1 sends 119 (help), closing the window sends 2.
class WBaseInfo : public Window {
    Q_OBJECT

public:
    enum : int { IdOk = 1, IdCancel = 2, IdHelp = 119 };

    explicit WBaseInfo(QWidget* parent, std::string_view title = {});
    ~WBaseInfo() override;

    void setTitle(std::string_view title);
    void setClientSize(int width, int height);

    // An empty caption takes the button's translated caption (kind 4, by id).
    QPushButton* addButton(int id, QRect at, std::string_view caption = {}, bool isDefault = false);
    QLabel* addText(int id, QRect at, std::string_view text, bool centred = false);
    // limit 0: no limit on the length.
    QLineEdit* addEdit(int id, QRect at, std::string_view text = {}, int limit = 0);
    QCheckBox* addCheck(int id, QRect at, std::string_view caption, bool checked = false);
    // Radio buttons placed one after another form one group until endRadioGroup.
    QRadioButton* addRadio(int id, QRect at, std::string_view caption, bool checked = false);
    void endRadioGroup() { m_radioGroup = nullptr; }
    QComboBox* addList(int id, QRect at, const std::vector<std::string>& items, int selected = 0);
    // A titled frame drawn around other controls (which stay the dialog's children).
    QGroupBox* addFrame(int id, QRect at, std::string_view caption);

    QWidget* control(int id) const;
    std::string text(int id) const;
    void setText(int id, std::string_view text);
    bool isChecked(int id) const;
    void setChecked(int id, bool on);
    int selection(int id) const;
    void setSelection(int id, int index);
    void enableControl(int id, bool on);
    void setFocusTo(int id);

    // Shows the dialog modally over its parent and returns the id of the
    // command that ended it (IdCancel when it was destroyed or closed).
    int RunModal();
    void EndModal(int result);
    bool isRunning() const { return m_loop != nullptr; }

    // What a window manager's frame may add around a window: a border and a
    // title bar, in pixels.
    static constexpr int FrameAllowance = 8, TitleAllowance = 32;
    // The largest client size that fits the screen with such a frame.
    static QSize largestOnScreen(const QScreen* screen);

protected:
    bool OnCommand(const CommandEvent& event) override;
    bool OnKey(const KeyEvent& event) override;
    bool OnCloseRequest() override;
    // Asked before a command ends the run; false keeps the dialog open.
    virtual bool CanEnd(int result);

private:
    void place(QWidget* w, int id, QRect at);
    QPoint keptOnScreen(QPoint topLeft, const QScreen* screen) const;
    void reportChange(int id, ControlEvent::Change change);

    std::map<int, QWidget*> m_controls;
    int m_defaultId = 0;
    int m_result = IdCancel;
    QEventLoop* m_loop = nullptr;
    QButtonGroup* m_radioGroup = nullptr;
};

}  // namespace fw
