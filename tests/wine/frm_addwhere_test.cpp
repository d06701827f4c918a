#include "ui/dialogs/frm_addwhere.h"

#include <gtest/gtest.h>

#include "modal_script.h"

namespace rotaplex {
namespace {

using namespace addwhere;
using test::Click;
using test::CloseBox;
using test::Key;
using test::kDialogClass;
using test::ModalScript;
using test::OwnerWindow;
using test::PostKey;
using test::TextOf;

RECT ClientRectOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};  // left, top, width, height
}

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b); }

TEST(AddPositionDialog, EveryWayOutGivesItsPosition) {
    const struct {
        const char* how;
        std::vector<ModalScript::Step> steps;
        int16_t expected;
    } cases[] = {
        {"Add Before", {Click(cmdBefore)}, kAddBefore},
        {"Add After", {Click(cmdAfter)}, kAddAfter},
        {"Cancel", {Click(cmdCancel)}, kAddCancelled},
        {"Esc", {Key(VK_ESCAPE)}, kAddCancelled},
        {"close box", {CloseBox()}, kAddCancelled},
        {"Enter on the first focus", {Key(VK_RETURN)}, kAddBefore},
        {"Tab, Enter", {Key(VK_TAB), Key(VK_RETURN)}, kAddAfter},
        {"Tab, Tab, Enter", {Key(VK_TAB), Key(VK_TAB), Key(VK_RETURN)}, kAddCancelled},
        {"Tab round to the first, Enter", {Key(VK_TAB), Key(VK_TAB), Key(VK_TAB), Key(VK_RETURN)}, kAddBefore},
    };
    OwnerWindow owner;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        ModalScript script(c.steps);
        EXPECT_EQ(ShowAddPosition(owner.get(), "Hill Fight Free For All"), c.expected);
        EXPECT_EQ(script.StepsRun(), c.steps.size());
        EXPECT_TRUE(IsWindowEnabled(owner.get()));
    }
}

TEST(AddPositionDialog, LayoutAsDesigned) {
    OwnerWindow owner;
    HWND shown = nullptr;
    ModalScript script(kDialogClass, {[&](HWND dialog) {
        shown = dialog;
        EXPECT_EQ(TextOf(dialog), "Add Mission");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, Label1)), "Tom & Jerry");
        // Centred, and the "&" shown as it is rather than as an underline.
        EXPECT_EQ(GetWindowLongPtrA(GetDlgItem(dialog, Label1), GWL_STYLE) & (SS_TYPEMASK | SS_NOPREFIX),
                  SS_CENTER | SS_NOPREFIX);
        EXPECT_EQ(TextOf(GetDlgItem(dialog, cmdBefore)), "Add &Before");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, cmdAfter)), "&Add After");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, cmdCancel)), "Cancel");

        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 232);
        EXPECT_EQ(client.bottom, 79);
        EXPECT_TRUE(ClientRectOf(GetDlgItem(dialog, cmdBefore)) == (RECT{16, 4, 109, 25}));
        EXPECT_TRUE(ClientRectOf(GetDlgItem(dialog, cmdAfter)) == (RECT{16, 48, 109, 25}));
        EXPECT_TRUE(ClientRectOf(GetDlgItem(dialog, cmdCancel)) == (RECT{160, 24, 65, 25}));
        EXPECT_TRUE(ClientRectOf(GetDlgItem(dialog, Label1)) == (RECT{4, 30, 137, 16}));

        const LONG_PTR style = GetWindowLongPtrA(dialog, GWL_STYLE);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_FALSE(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner.get());
        EXPECT_FALSE(IsWindowEnabled(owner.get()));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, cmdBefore));

        RECT outer{}, dialogRect{};
        GetWindowRect(owner.get(), &outer);
        GetWindowRect(dialog, &dialogRect);
        EXPECT_NEAR(dialogRect.left + dialogRect.right, outer.left + outer.right, 1);
        EXPECT_NEAR(dialogRect.top + dialogRect.bottom, outer.top + outer.bottom, 1);
        PostKey(VK_ESCAPE);
    }});
    EXPECT_EQ(ShowAddPosition(owner.get(), "Tom & Jerry"), kAddCancelled);
    EXPECT_EQ(script.StepsRun(), 1u);
    EXPECT_FALSE(IsWindow(shown));
}

// The dialog widens to show the whole text, up to the screen's width, where the text ends in "...".
TEST(AddPositionDialog, WidensToTheEntrysWholeText) {
    const struct {
        std::string text;
        bool wider;
        bool whole;
    } cases[] = {
        {"Hill Fight Free For All", false, true},
        {"A very long scenario name that no label of the design holds TeamAttrition", true, true},
        {std::string(400, 'W'), true, false},
    };
    OwnerWindow owner;
    RECT screen{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ModalScript script(kDialogClass, {[&](HWND dialog) {
            const HWND label = GetDlgItem(dialog, Label1);
            RECT client{}, window{};
            GetClientRect(dialog, &client);
            GetWindowRect(dialog, &window);
            EXPECT_EQ(client.right > 232, c.wider);
            EXPECT_LE(window.right - window.left, screen.right - screen.left);
            const RECT labelRect = ClientRectOf(label);
            const RECT cancel = ClientRectOf(GetDlgItem(dialog, cmdCancel));
            EXPECT_EQ(labelRect.right, 137 + client.right - 232) << "the label takes what the dialog grew";
            EXPECT_EQ(cancel.left, 160 + client.right - 232) << "Cancel keeps to the right";
            // What the label lacks for the whole text.
            const HDC dc = GetDC(label);
            const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
            SIZE text{};
            GetTextExtentPoint32A(dc, c.text.c_str(), static_cast<int>(c.text.size()), &text);
            SelectObject(dc, old);
            ReleaseDC(label, dc);
            EXPECT_EQ(text.cx <= labelRect.right, c.whole) << text.cx << " against " << labelRect.right;
            EXPECT_TRUE(GetWindowLongPtrA(label, GWL_STYLE) & SS_ENDELLIPSIS);
            PostKey(VK_ESCAPE);
        }});
        EXPECT_EQ(ShowAddPosition(owner.get(), c.text), kAddCancelled);
        EXPECT_EQ(script.StepsRun(), 1u);
    }
}

}  // namespace
}  // namespace rotaplex
