#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>
#include <vector>

#include "gui/window/tt_controls.h"
#include "gui/window/window_proc.h"
#include "gui/window/window_table.h"
#include "test_windows.h"

namespace {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Records every message that reaches the object, then leaves it to the base.
class RecordingParent : public TestParent {
public:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        received.push_back({ message, wParam, lParam });
        return TestParent::windowProc(message, wParam, lParam);
    }
    bool receivedMessage(UINT message) const
    {
        return std::any_of(received.begin(), received.end(), [&](const Message& m) { return m.message == message; });
    }
    std::vector<Message> received;
};

// Answers its handlers with fixed results and keeps their decoded arguments.
class DecodingApp : public TestParent {
public:
    LRESULT onCommand(int id, int code, HWND control) override
    {
        std::tie(commandId, commandCode, commandControl) = std::make_tuple(id, code, control);
        return answer;
    }
    LRESULT onNotify(int id, NMHDR* header) override
    {
        std::tie(notifyId, notifyHeader) = std::make_tuple(id, header);
        return answer;
    }
    LRESULT onSize(int type, int width, int height) override
    {
        std::tie(sizeType, sizeWidth, sizeHeight) = std::make_tuple(type, width, height);
        return answer;
    }
    LRESULT answer = NotHandled;
    int commandId = -1, commandCode = -1;
    HWND commandControl = nullptr;
    int notifyId = -1;
    NMHDR* notifyHeader = nullptr;
    int sizeType = -1, sizeWidth = -1, sizeHeight = -1;
};

// A control class of the test's own whose procedure records what reaches it.
constexpr const char* kRecordingControlClass = "QuelmarnRecordingControl";
std::vector<std::pair<HWND, Message>> controlReceived;

LRESULT CALLBACK recordingControlProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    controlReceived.push_back({ handle, { message, wParam, lParam } });
    return DefWindowProcA(handle, message, wParam, lParam);
}

class RecordingControl : public TtWindow {
public:
    const char* className() override
    {
        static const bool registered = [] {
            WNDCLASSA windowClass = {};
            windowClass.lpfnWndProc = &recordingControlProc;
            windowClass.hInstance = testInstance();
            windowClass.lpszClassName = kRecordingControlClass;
            return RegisterClassA(&windowClass) != 0;
        }();
        (void)registered;
        return kRecordingControlClass;
    }
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seenByObject.push_back(message);
        return TtWindow::windowProc(message, wParam, lParam);
    }
    std::vector<UINT> seenByObject;
};

TEST(WindowTable, GrowsByFiftyKeepingEveryEntryInOrder)
{
    WindowTable table;
    EXPECT_EQ(table.capacity(), 0);
    std::vector<TtWindow> objects(101);
    for (int i = 0; i < 101; ++i) {
        table.append(reinterpret_cast<HWND>(static_cast<INT_PTR>(i + 1)), &objects[i]);
        if (i == 0 || i == 50) {
            EXPECT_EQ(table.capacity(), i + 50) << i;
        }
    }
    EXPECT_EQ(table.capacity(), 150);
    ASSERT_EQ(table.count(), 101);
    for (int i = 0; i < 101; ++i) {
        EXPECT_EQ(table.handleAt(i), reinterpret_cast<HWND>(static_cast<INT_PTR>(i + 1)));
        EXPECT_EQ(table.objectAt(i), &objects[i]);
    }
}

TEST(WindowTable, FindsTheFirstEntryOfAHandleAndSkipsForgottenOnes)
{
    WindowTable table;
    TtWindow first, second;
    const HWND handle = reinterpret_cast<HWND>(INT_PTR(7));
    table.append(handle, &first);
    table.append(handle, &second);
    EXPECT_EQ(table.find(handle), &first);
    table.forget(&first);
    EXPECT_EQ(table.find(handle), &second);
    EXPECT_EQ(table.count(), 2);
    EXPECT_EQ(table.find(reinterpret_cast<HWND>(INT_PTR(8))), nullptr);
}

TEST(WindowRouting, MessagesDuringCreationGetDefaultProcessingAndLaterOnesReachTheObject)
{
    const int entriesBefore = WindowTable::global().count();
    RecordingParent parent;
    ASSERT_NE(parent.handle(), nullptr);
    EXPECT_FALSE(parent.receivedMessage(WM_NCCREATE));
    EXPECT_FALSE(parent.receivedMessage(WM_CREATE));
    EXPECT_EQ(WindowTable::global().count(), entriesBefore + 1);
    EXPECT_EQ(WindowTable::global().find(parent.handle()), &parent);

    SendMessageA(parent.handle(), WM_USER + 5, 11, 22);
    ASSERT_FALSE(parent.received.empty());
    const Message& last = parent.received.back();
    EXPECT_EQ(
        std::make_tuple(last.message, last.wParam, last.lParam), std::make_tuple(WM_USER + 5u, WPARAM(11), LPARAM(22)));
}

TEST(WindowRouting, AHandleWithoutAnObjectGetsDefWindowProc)
{
    prepareTestWindows();
    HWND stranger = CreateWindowExA(0, kTestParentClass, "stranger", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
        nullptr, testInstance(), nullptr);
    ASSERT_NE(stranger, nullptr);
    EXPECT_EQ(WindowTable::global().find(stranger), nullptr);
    // DefWindowProcA keeps the title: it answers WM_GETTEXT itself.
    EXPECT_EQ(windowText(stranger), "stranger");
    DestroyWindow(stranger);
}

TEST(WindowRouting, ChildWindowsCarryWsChildAndTopLevelWindowsTheirStyleUnchanged)
{
    TestParent parent;
    const auto topStyle = static_cast<DWORD>(GetWindowLongPtrA(parent.handle(), GWL_STYLE));
    EXPECT_EQ(topStyle & WS_CHILD, 0u);
    EXPECT_EQ(topStyle & WS_OVERLAPPEDWINDOW, static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(topStyle & WS_VISIBLE, 0u);

    TtGroup group;
    ASSERT_TRUE(group.create(&parent, 77, testInstance()));
    const auto childStyle = static_cast<DWORD>(GetWindowLongPtrA(group.handle(), GWL_STYLE));
    EXPECT_EQ(childStyle & (WS_CHILD | BS_GROUPBOX), static_cast<DWORD>(WS_CHILD | BS_GROUPBOX));
    EXPECT_EQ(childStyle & WS_VISIBLE, 0u);
    EXPECT_EQ(GetDlgCtrlID(group.handle()), 77);
    EXPECT_EQ(group.parent(), &parent);
    EXPECT_EQ(GetParent(group.handle()), parent.handle());
}

TEST(WindowRouting, FailedCreationJoinsNoTable)
{
    const int entriesBefore = WindowTable::global().count();
    TtWindow bare;
    EXPECT_FALSE(bare.create(nullptr, 0, testInstance()));
    EXPECT_EQ(bare.handle(), nullptr);
    EXPECT_EQ(WindowTable::global().count(), entriesBefore);
}

TEST(Subclassing, MessagesReachTheObjectAndThenTheControlsOwnProcedureUnchanged)
{
    TestParent parent;
    RecordingControl control;
    ASSERT_TRUE(control.create(&parent, 5, testInstance()));
    const auto ownProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control.handle(), GWLP_WNDPROC));
    control.subclass();
    EXPECT_EQ(control.previousProcedure(), ownProcedure);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control.handle(), GWLP_WNDPROC)), &TtWndProc);

    controlReceived.clear();
    EXPECT_TRUE(control.setText("subclassed"));
    SendMessageA(control.handle(), WM_USER + 9, 123, 456);
    ASSERT_FALSE(controlReceived.empty());
    const auto& [to, last] = controlReceived.back();
    EXPECT_EQ(to, control.handle());
    EXPECT_EQ(std::make_tuple(last.message, last.wParam, last.lParam),
        std::make_tuple(WM_USER + 9u, WPARAM(123), LPARAM(456)));
    EXPECT_EQ(control.seenByObject.back(), static_cast<UINT>(WM_USER + 9));
    EXPECT_EQ(windowText(control.handle()), "subclassed");
}

TEST(Subclassing, ASubclassedSystemControlKeepsItsOwnBehaviour)
{
    TestParent parent;
    TtEdit edit;
    ASSERT_TRUE(edit.create(&parent, 6, testInstance()));
    edit.move(0, 0, 200, 24);
    edit.subclass();
    edit.setText("abc");
    SendMessageA(edit.handle(), EM_SETSEL, 0, -1);
    SendMessageA(edit.handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("xyz"));
    char text[16] = {};
    EXPECT_EQ(edit.getText(text, sizeof text), 3);
    EXPECT_STREQ(text, "xyz");
}

TEST(Subclassing, AnObjectThatGoesHandsItsControlBack)
{
    TestParent parent;
    auto control = std::make_unique<RecordingControl>();
    ASSERT_TRUE(control->create(&parent, 5, testInstance()));
    const HWND handle = control->handle();
    control->subclass();
    control.reset();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(handle, GWLP_WNDPROC)), &recordingControlProc);
    EXPECT_EQ(WindowTable::global().find(handle), nullptr);
    controlReceived.clear();
    SendMessageA(handle, WM_USER + 1, 0, 0);
    EXPECT_EQ(controlReceived.size(), 1u);
}

TEST(AppDispatch, HandlersGetDecodedArgumentsAndNotHandledMeansDefaultProcessing)
{
    DecodingApp app;
    HWND control = reinterpret_cast<HWND>(INT_PTR(0x1234));
    // DefWindowProcA answers WM_COMMAND with 0: a handler cannot deliver 0x8000 itself.
    EXPECT_EQ(SendMessageA(app.handle(), WM_COMMAND, MAKEWPARAM(0xFFFF, 0x8001), reinterpret_cast<LPARAM>(control)), 0);
    EXPECT_EQ(
        std::make_tuple(app.commandId, app.commandCode, app.commandControl), std::make_tuple(0xFFFF, 0x8001, control));

    NMHDR header = {};
    EXPECT_EQ(SendMessageA(app.handle(), WM_NOTIFY, 1050, reinterpret_cast<LPARAM>(&header)), 0);
    EXPECT_EQ(app.notifyId, 1050);
    EXPECT_EQ(app.notifyHeader, &header);

    app.answer = 42;
    EXPECT_EQ(SendMessageA(app.handle(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(0xFFFE, 0x8000)), 42);
    EXPECT_EQ(
        std::make_tuple(app.sizeType, app.sizeWidth, app.sizeHeight), std::make_tuple(SIZE_MAXIMIZED, 0xFFFE, 0x8000));
}

TEST(AppDispatch, BaseHandlersAskForDefaultProcessingAndDestroyQuits)
{
    TtApp app;
    for (LRESULT answer : { app.onCommand(1, 0, nullptr), app.onNotify(1, nullptr), app.onSize(0, 10, 10) })
        EXPECT_EQ(answer, NotHandled);
    EXPECT_EQ(app.onDestroy(), 0);
    MSG message = {};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

TEST(MessageLoop, DispatchesPostedMessagesAndReturnsTheQuitCode)
{
    RecordingParent parent;
    PostMessageA(parent.handle(), WM_USER + 3, 0, 0);
    PostQuitMessage(3);
    EXPECT_EQ(messageLoop(), 3);
    EXPECT_TRUE(parent.receivedMessage(WM_USER + 3));
}

TEST(Wrappers, MoveKeepsSizeOrPositionAsAsked)
{
    TestParent parent;
    TtStatic label;
    ASSERT_TRUE(label.create(&parent, 9, testInstance()));
    label.move(10, 20, 100, 30);
    label.moveTo(40, 50);
    EXPECT_EQ(placeAndSize(rectInParent(label.handle())), "40,50 100x30");
    label.moveToRect(1, 2, 61, 42);
    const RECT rect = rectInParent(label.handle());
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.bottom, 42);

    parent.move(200, 100, 300, 200);
    parent.resize(320, 240);
    RECT outer {};
    GetWindowRect(parent.handle(), &outer);
    EXPECT_EQ(placeAndSize(outer), "200,100 320x240");
}

TEST(Wrappers, PlaceBehindPutsTheWindowDirectlyBehindTheOther)
{
    TestParent parent;
    TtStatic front, back;
    ASSERT_TRUE(front.create(&parent, 1, testInstance()));
    ASSERT_TRUE(back.create(&parent, 2, testInstance()));
    EXPECT_TRUE(back.placeBehind(front));
    EXPECT_EQ(GetWindow(front.handle(), GW_HWNDNEXT), back.handle());
}

TEST(Wrappers, TabItemsAndDisplayArea)
{
    TestParent parent;
    TtTab tab;
    ASSERT_TRUE(tab.create(&parent, 1050, testInstance()));
    tab.move(0, 0, 300, 200);
    EXPECT_EQ(tab.insertItem(0, "WAV"), 0);
    EXPECT_EQ(tab.insertItem(1, "BMP"), 1);
    EXPECT_EQ(tab.getCurSel(), 0);
    char label[8] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = label;
    item.cchTextMax = sizeof label;
    SendMessageA(tab.handle(), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(label, "BMP");
    const RECT display = tab.displayRect();
    EXPECT_GT(display.top, 0);
    EXPECT_LT(display.bottom, 200);
    EXPECT_LT(display.right, 300);
}

} // namespace
