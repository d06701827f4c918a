// A client of the accessibility tree in its own process, as a screen reader or speech control
// is: it finds the real program's commands and list items through AccessibleObjectFromWindow and
// IAccessible, and works the program with nothing else. Where Wine's proxy gives a child window
// no name or role (it knows the EDIT class alone), the name is the window's text and the kind its
// class, which is what Windows' own proxy reads them from.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modal_script.h"
#include "started_program.h"
#include "test_folder.h"
#include "window_checks.h"

namespace rotaplex {
namespace {

// An element of the tree: a child window's accessible object, or an item of its parent's.
struct Element {
    HWND Window = nullptr;
    std::string Name;
    long Role = 0;
    std::string Class;
};

// A name as a screen reader says it: without the access mark.
std::string Spoken(std::string text) {
    if (const auto mark = text.find('&'); mark != std::string::npos) text.erase(mark, 1);
    return text;
}

std::string Narrowed(BSTR text) {
    std::string narrow = text ? test::Narrow(text) : "";
    SysFreeString(text);
    return narrow;
}

long RoleOf(IAccessible& object, VARIANT child) {
    VARIANT role{};
    if (object.get_accRole(child, &role) != S_OK || role.vt != VT_I4) return 0;
    return role.lVal;
}

// A COM object given back once the scope ends.
template <typename Interface>
struct Held {
    Interface* Object = nullptr;
    ~Held() {
        if (Object) Object->Release();
    }
};

VARIANT Self() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

// The child windows of window as its accessible client object lists them, each with the name and
// role its own client object gives, else its text.
std::vector<Element> ChildWindows(HWND window) {
    Held<IAccessible> client;
    if (AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&client.Object)) != S_OK)
        return {};
    long count = 0;
    client.Object->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    long got = 0;
    AccessibleChildren(client.Object, 0, count, children.data(), &got);
    std::vector<Element> found;
    for (long i = 0; i < got; ++i) {
        VARIANT& child = children[static_cast<std::size_t>(i)];
        if (child.vt != VT_DISPATCH) {
            VariantClear(&child);
            continue;
        }
        Held<IAccessible> object;
        child.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object.Object));
        VariantClear(&child);
        Element element;
        if (!object.Object || WindowFromAccessibleObject(object.Object, &element.Window) != S_OK) continue;
        Held<IAccessible> own;
        if (AccessibleObjectFromWindow(element.Window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&own.Object)) == S_OK) {
            BSTR name = nullptr;
            own.Object->get_accName(Self(), &name);
            element.Name = Narrowed(name);
            element.Role = RoleOf(*own.Object, Self());
        }
        if (element.Name.empty()) element.Name = Spoken(test::TextOf(element.Window));
        element.Class = test::ClassOf(element.Window);
        found.push_back(element);
    }
    return found;
}

// A list's items by name: its accessible items where the proxy gives them names, else the texts
// it holds for them.
std::vector<std::string> ItemNames(HWND list) {
    std::vector<std::string> names;
    Held<IAccessible> client;
    long count = 0;
    if (AccessibleObjectFromWindow(list, OBJID_CLIENT, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&client.Object)) == S_OK)
        client.Object->get_accChildCount(&count);
    for (long i = 1; i <= count; ++i) {
        VARIANT item{};
        item.vt = VT_I4;
        item.lVal = i;
        BSTR name = nullptr;
        client.Object->get_accName(item, &name);
        names.push_back(Narrowed(name));
    }
    if (!names.empty() && !names.front().empty()) return names;
    names.clear();
    for (const test::ListRow& row : test::ListRows(list)) names.push_back(row.first);
    return names;
}

// Presses a push button as speech control does when its default action gives nothing under Wine:
// BM_CLICK, posted so that a window the command opens does not hold the client up.
void Press(const Element& button) { PostMessageA(button.Window, BM_CLICK, 0, 0); }

// Where the proxy gives no role: a BUTTON window of a push kind, owner-drawn ones among them.
bool IsPushButtonWindow(const Element& element) {
    const LONG_PTR kind = GetWindowLongPtrA(element.Window, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(element.Class.c_str(), "Button") == 0 &&
           (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_OWNERDRAW);
}

// Every push button of a window, by name, in the order the tree gives them.
std::vector<Element> Buttons(HWND window) {
    std::vector<Element> buttons;
    for (const Element& element : ChildWindows(window))
        if (element.Role == ROLE_SYSTEM_PUSHBUTTON || IsPushButtonWindow(element)) buttons.push_back(element);
    return buttons;
}

std::vector<std::string> NamesOf(const std::vector<Element>& elements) {
    std::vector<std::string> names;
    for (const Element& element : elements) names.push_back(element.Name);
    return names;
}

const Element* Named(const std::vector<Element>& elements, const std::string& name) {
    for (const Element& element : elements)
        if (element.Name == name) return &element;
    return nullptr;
}

// The first child window of that class, as the tree lists them.
HWND OfClass(HWND window, const char* className) {
    for (const Element& element : ChildWindows(window))
        if (lstrcmpiA(element.Class.c_str(), className) == 0) return element.Window;
    return nullptr;
}

constexpr const char* kMissions =
    "[Scenarios]\r\nHill = {\r\n[server]\r\nname = Hill\r\nruleset = Brawl\r\n}\r\n"
    "Dusk = {\r\n[server]\r\nname = Dusk\r\nruleset = Attrition\r\n}\r\n"
    "Canyon = {\r\n[server]\r\nname = Canyon\r\nruleset = CTF\r\n}\r\n";
constexpr const char* kRotation = "[cycle]\r\nmap=hill.nfo::Hill\r\nmap=old.nfo::Quarry\r\n";

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }

    // The program's shown window of that class and caption owned by owner, waited for.
    HWND Owned(const char* className, const char* caption = nullptr) const {
        return program_.WaitForWindow(className, caption, main_);
    }

    test::TestFolder game_;
    std::string rotation_ = game_.Write("servercycle.txt", kRotation);
    std::string missions_ = game_.Write("resource\\missions\\m.nfo", kMissions);
    test::GameFolderSetting key_{game_.Path()};
    test::StartedProgram program_;
    HWND main_ = program_.WaitForWindow("frmSrvCyc");
};

TEST_F(AccessibilityTest, CommandsAndItemsFoundInTheTreeChooseAScenarioAddItAndSave) {
    ASSERT_NE(main_, nullptr);
    const std::vector<Element> commands = Buttons(main_);
    EXPECT_EQ(NamesOf(commands), (std::vector<std::string>{"Add", "Edit", "Delete", "Quit", "Quit", "Minimise"}));
    for (const Element& command : commands) {
        EXPECT_TRUE(command.Role == ROLE_SYSTEM_PUSHBUTTON || command.Role == 0 || command.Role == ROLE_SYSTEM_CLIENT)
            << command.Name << " " << command.Role;
        EXPECT_TRUE(test::IsPaintedCommand(command.Window)) << command.Name;
    }
    const HWND list = OfClass(main_, "ListBox");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ItemNames(list), (std::vector<std::string>{"Hill Brawl", "old.nfo::Quarry (not installed)"}));

    // Minimise, by its button; the window comes back as the taskbar would bring it.
    Press(*Named(commands, "Minimise"));
    EXPECT_TRUE(program_.WaitUntil([&] { return IsIconic(main_) != FALSE; }));
    ShowWindowAsync(main_, SW_RESTORE);
    ASSERT_TRUE(program_.WaitUntil([&] { return !IsIconic(main_); }));

    // Add: after the selected first entry, the scenario found by its name in the chooser.
    Press(*Named(commands, "Add"));
    const HWND where = Owned("#32770", "Add Mission");
    ASSERT_NE(where, nullptr);
    const std::vector<Element> places = Buttons(where);
    ASSERT_NE(Named(places, "Add After"), nullptr) << testing::PrintToString(NamesOf(places));
    Press(*Named(places, "Add After"));

    const HWND chooser = Owned("RotaplexMissionProperties");
    ASSERT_NE(chooser, nullptr);
    const std::vector<Element> choices = Buttons(chooser);
    EXPECT_EQ(NamesOf(choices), (std::vector<std::string>{"OK", "Cancel", "Cancel", "Minimise"}));
    const HWND scenarios = OfClass(chooser, "ListBox");
    ASSERT_NE(scenarios, nullptr);
    EXPECT_EQ(ItemNames(scenarios), (std::vector<std::string>{"Hill Brawl", "Dusk Attrition", "Canyon CTF"}));
    // The filter box narrows the list to the one wanted; it is then the highlighted item.
    SendMessageW(OfClass(chooser, "Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Canyon"));
    EXPECT_EQ(ItemNames(scenarios), std::vector<std::string>{"Canyon CTF"});
    Press(*Named(choices, "OK"));
    ASSERT_TRUE(program_.WaitUntil([&] { return ItemNames(list).size() == 3; }));
    EXPECT_EQ(ItemNames(list),
              (std::vector<std::string>{"Hill Brawl", "Canyon CTF", "old.nfo::Quarry (not installed)"}));

    // Delete asks; No keeps the entry.
    Press(*Named(commands, "Delete"));
    const HWND question = Owned("#32770", "Rotaplex");
    ASSERT_NE(question, nullptr);
    Press(*Named(Buttons(question), "No"));
    ASSERT_TRUE(program_.WaitUntil([&] { return IsWindowEnabled(main_) && !program_.ShownWindow("#32770"); }));

    // Quit asks to save the change: Yes saves and ends the program.
    Press(commands[3]);
    const HWND quitting = Owned("#32770", "Quitting");
    ASSERT_NE(quitting, nullptr);
    Press(*Named(Buttons(quitting), "Yes"));
    EXPECT_EQ(program_.WaitForExit(), 0u);
    EXPECT_EQ(test::ReadBytes(rotation_), "[cycle]\r\nmap=hill.nfo::Hill\r\nmap=m.nfo::Canyon\r\nmap=old.nfo::Quarry\r\n");
}

}  // namespace
}  // namespace rotaplex
