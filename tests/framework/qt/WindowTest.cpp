#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QUrl>

#include "RecordingWindow.h"
#include "framework/VirtualKey.h"
#include "framework/qt/Clipboard.h"
#include "framework/qt/KeyMap.h"

using namespace fw;

namespace {

struct WindowTest : ::testing::Test {
    RecordingWindow w;
    void SetUp() override
    {
        w.resize(200, 150);
        w.show();
    }
    void key(QEvent::Type type, int qtKey, Qt::KeyboardModifiers mods, const QString& text = {}, bool repeat = false)
    {
        QKeyEvent e(type, qtKey, mods, text, repeat);
        QApplication::sendEvent(&w, &e);
    }
    void mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(type, QPointF(p), w.mapToGlobal(QPointF(p)), button, held, mods);
        QApplication::sendEvent(&w, &e);
    }
};

constexpr uint32_t code(unsigned kind, unsigned mods, unsigned key) { return KeyEvent::makeCode(kind, mods, key); }

}  // namespace

TEST_F(WindowTest, KeysBecomeTheirCodes)
{
    const Qt::KeyboardModifiers kp = Qt::KeypadModifier;
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers mods;
        uint32_t expected;
    } cases[] = {
        {Qt::Key_F5, Qt::NoModifier, 0x1074},  // (1*16+0)*256 + 0x74
        {Qt::Key_O, Qt::ControlModifier, 0x114F},
        {Qt::Key_R, Qt::ControlModifier | Qt::AltModifier, 0x1552},
        {Qt::Key_3, Qt::AltModifier, 0x1433},
        {Qt::Key_1, Qt::AltModifier | kp, 0x1461},   // keypad 1
        {Qt::Key_End, Qt::AltModifier | kp, 0x1423},  // keypad 1 without Num Lock
        {Qt::Key_Clear, Qt::AltModifier | kp, 0x140C},
        {Qt::Key_Plus, kp, 0x106B},
        {Qt::Key_Enter, kp, 0x100D},
        {Qt::Key_Return, Qt::AltModifier, 0x140D},
        {Qt::Key_Q, Qt::AltModifier, 0x1451},
        {Qt::Key_Insert, Qt::NoModifier, 0x102D},
        {Qt::Key_0, kp, 0x1060},
        {Qt::Key_Escape, Qt::NoModifier, 0x101B},
        {Qt::Key_Tab, Qt::NoModifier, 0x1009},
        {Qt::Key_Space, Qt::NoModifier, 0x1020},
        {Qt::Key_Up, Qt::NoModifier, 0x1026},
        {Qt::Key_F10, Qt::AltModifier, 0x1479},
        {Qt::Key_Print, Qt::NoModifier, 0x102C},
        {Qt::Key_Exclam, Qt::ShiftModifier, 0x1231},  // Shift+1
        {Qt::Key_Shift, Qt::NoModifier, 0x1210},      // Shift alone reads as Shift held
    };
    for (const Case& c : cases) {
        w.keyCodes.clear();
        key(QEvent::KeyPress, c.qtKey, c.mods);
        ASSERT_FALSE(w.keyCodes.empty()) << std::hex << c.qtKey;
        EXPECT_EQ(w.keyCodes.front(), c.expected) << std::hex << c.qtKey << " got " << w.keyCodes.front();
    }
}

TEST_F(WindowTest, PressGivesDownAndCharacterReleaseGivesUpRepeatIsMarked)
{
    key(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, "z");
    key(QEvent::KeyRelease, Qt::Key_Z, Qt::NoModifier, "z");
    key(QEvent::KeyPress, Qt::Key_Plus, Qt::ShiftModifier, "+");
    key(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, {}, true);
    key(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier, {}, true);  // repeat releases are not keys
    key(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier);
    key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    key(QEvent::KeyPress, Qt::Key_Q, Qt::AltModifier, "q");  // Alt types nothing
    const std::vector<uint32_t> expected = {
        code(1, 0, 'Z'),    code(4, 0, 'z'),          code(2, 0, 'Z'),
        code(1, 2, 0xBB),   code(4, 2, '+'),          code(1, 8, vk::F1 + 4),
        code(2, 0, vk::F1 + 4), code(2, 0, vk::Shift), code(1, 4, 'Q'),
    };
    EXPECT_EQ(w.keyCodes, expected);
}

TEST_F(WindowTest, HeldKeysAreKnownUntilReleased)
{
    key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    EXPECT_TRUE(KeyMap::isDown(vk::Return));
    key(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    EXPECT_FALSE(KeyMap::isDown(vk::Return));
    key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&w, &deactivate);
    EXPECT_FALSE(KeyMap::isDown(vk::Return));
}

TEST_F(WindowTest, DragStartsOnlyBeyondOnePixelFromThePress)
{
    const Qt::MouseButton L = Qt::LeftButton;
    mouse(QEvent::MouseButtonPress, {50, 50}, L, L, Qt::ControlModifier);
    struct Step {
        QPoint at;
        MouseEvent::Action action;
    } steps[] = {
        {{51, 50}, MouseEvent::Move}, {{51, 51}, MouseEvent::Move}, {{49, 49}, MouseEvent::Move},
        {{50, 52}, MouseEvent::Drag}, {{50, 50}, MouseEvent::Drag},  // a drag stays a drag
    };
    for (const Step& s : steps)
        mouse(QEvent::MouseMove, s.at, Qt::NoButton, L);
    mouse(QEvent::MouseButtonRelease, {50, 50}, L, Qt::NoButton);
    mouse(QEvent::MouseMove, {90, 90}, Qt::NoButton, Qt::NoButton);

    ASSERT_EQ(w.mouse.size(), 8u);
    EXPECT_EQ(w.mouse[0].action(), MouseEvent::Down);
    EXPECT_EQ(w.mouse[0].button(), MouseEvent::Left);
    EXPECT_EQ(w.mouse[0].modifiers(), mod::Ctrl);
    for (size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(w.mouse[i + 1].action(), steps[i].action) << i;
        EXPECT_EQ(w.mouse[i + 1].x(), steps[i].at.x());
        EXPECT_EQ(w.mouse[i + 1].buttons(), unsigned(MouseEvent::Left));
    }
    EXPECT_EQ(w.mouse[4].button(), MouseEvent::Left);
    EXPECT_EQ(w.mouse[6].action(), MouseEvent::Up);
    EXPECT_EQ(w.mouse[7].action(), MouseEvent::Move);
    EXPECT_EQ(w.mouse[7].buttons(), 0u);
}

TEST_F(WindowTest, DoubleClickIsADownMarkedDouble)
{
    const Qt::MouseButton R = Qt::RightButton;
    mouse(QEvent::MouseButtonPress, {10, 10}, R, R);
    mouse(QEvent::MouseButtonRelease, {10, 10}, R, Qt::NoButton);
    mouse(QEvent::MouseButtonDblClick, {10, 10}, R, R, Qt::ShiftModifier | Qt::AltModifier);
    mouse(QEvent::MouseButtonRelease, {10, 10}, R, Qt::NoButton);
    ASSERT_EQ(w.mouse.size(), 4u);
    EXPECT_FALSE(w.mouse[0].doubleClick());
    EXPECT_EQ(w.mouse[2].action(), MouseEvent::Down);
    EXPECT_EQ(w.mouse[2].button(), MouseEvent::Right);
    EXPECT_TRUE(w.mouse[2].doubleClick());
    EXPECT_EQ(w.mouse[2].modifiers(), mod::Shift | mod::Alt);
    EXPECT_EQ(w.mouse[3].action(), MouseEvent::Up);
}

TEST_F(WindowTest, UnhandledCommandsAndKeysGoOnToTheCommandTarget)
{
    RecordingWindow document;
    w.setCommandTarget(&document);
    w.handles = [](Event& e) { return e.number() == ev::Command && static_cast<CommandEvent&>(e).command() == 5; };
    EXPECT_TRUE(w.sendCommand(5));
    EXPECT_TRUE(w.sendCommand(1102));
    key(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(document.log, (std::vector<std::string>{"cmd 1102"}));
    EXPECT_EQ(document.keyCodes, (std::vector<uint32_t>{code(1, 1, 'S')}));
    document.handles = [](Event&) { return false; };
    EXPECT_FALSE(w.sendCommand(1103));
}

TEST_F(WindowTest, HandledAsNotLetsTheKeyGoOnToTheParentWindow)
{
    RecordingWindow parent;
    auto* child = new RecordingWindow(&parent);
    parent.show();
    bool asNot = true;
    child->handles = [&](Event& e) {
        if (asNot)
            e.setHandledAsNot();
        return !asNot;
    };
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(child, &press);
    EXPECT_EQ(child->keyCodes.size(), 1u);
    EXPECT_EQ(parent.keyCodes.size(), 1u);  // the child ran, yet reported "not handled"
    asNot = false;
    QKeyEvent again(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(child, &again);
    EXPECT_EQ(child->keyCodes.size(), 2u);
    EXPECT_EQ(parent.keyCodes.size(), 1u);
}

TEST_F(WindowTest, ActivationTimersAndDroppedFiles)
{
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    w.startWindowTimer(7, 10);
    QTest::qWait(80);
    w.stopWindowTimer(7);
    const size_t ticks = std::count(w.log.begin(), w.log.end(), "timer 7");
    EXPECT_GE(ticks, 2u);
    QTest::qWait(50);
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "timer 7"), static_cast<long>(ticks));
    EXPECT_EQ(w.log.front(), "active");

    std::vector<std::filesystem::path> dropped;
    w.action = [&](Event& e) {
        if (e.number() == ev::DropFiles)
            dropped = static_cast<DropFilesEvent&>(e).files();
    };
    w.setAcceptFiles(true);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/tmp/a picture.jpg"), QUrl("https://example.invalid/x")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
    EXPECT_EQ(dropped, (std::vector<std::filesystem::path>{"/tmp/a picture.jpg"}));
}

TEST_F(WindowTest, CloseRequestCanBeRefused)
{
    int closedSignals = 0;
    QObject::connect(&w, &Window::closed, [&] { ++closedSignals; });
    w.handles = [](Event& e) { return e.number() == ev::Close; };
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    w.handles = [](Event&) { return false; };
    EXPECT_TRUE(w.close());
    EXPECT_EQ(closedSignals, 1);
}

// A key whose handling closes its own window: the window lives on, deaf,
// until the loop is back at the top; what is still queued for it goes
// nowhere, not on to the window behind it.
TEST_F(WindowTest, AWindowClosedInsideItsOwnKeyIsDeletedLater)
{
    RecordingWindow parent;
    parent.resize(200, 150);
    parent.show();
    fw::WindowPtr<RecordingWindow> child = fw::makeWindow<RecordingWindow>(&parent);
    child->show();
    QPointer<RecordingWindow> alive(child.get());
    child->action = [&](Event& e) {
        if (e.number() == ev::Key && static_cast<KeyEvent&>(e).kind() == KeyEvent::Down)
            child.reset();
    };
    QKeyEvent press(QEvent::KeyPress, Qt::Key_O, Qt::ControlModifier, QString(QChar(0x0f)));
    QApplication::sendEvent(alive.data(), &press);
    ASSERT_TRUE(alive) << "deleted inside its own event";
    EXPECT_TRUE(alive->disposed());
    EXPECT_FALSE(alive->isVisible());
    EXPECT_EQ(alive->keyCodes, (std::vector<uint32_t>{code(1, 1, 'O')})) << "its character is not handled";
    EXPECT_FALSE(HandlerRef(alive.data()));

    QKeyEvent late(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(alive.data(), &late);
    EXPECT_FALSE(alive->sendCommand(5));
    EXPECT_EQ(alive->keyCodes.size(), 1u);
    EXPECT_TRUE(parent.keyCodes.empty());

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
}

TEST(ClipboardTest, TextsGoThroughTheCodePage)
{
    Clipboard::setText("Certificado: cami\xf3n \x80 5");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Certificado: camión € 5"));
    EXPECT_EQ(Clipboard::text(), "Certificado: cami\xf3n \x80 5");
}
