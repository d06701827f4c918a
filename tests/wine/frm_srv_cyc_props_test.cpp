#include "ui/properties/frm_srv_cyc_props.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "cycle/win/unique_handle.h"
#include "cycle/win/windows_file_system.h"
#include "modal_script.h"
#include "test_folder.h"
#include "ui/framework/gdi_handles.h"
#include "ui/framework/display_scale.h"
#include "window_checks.h"

namespace rotaplex {
namespace {

using namespace props;
using test::ModalScript;
using test::TextOf;
using Step = ModalScript::Action;

ScenarioInfo Scenario(const std::string& name, const std::string& ruleset = "Free For All") {
    static TextArena texts;  // the records' texts, for the whole run
    ScenarioInfo record;
    ResetScenario(record);
    record.ScenarioKey = record.Name = texts.Keep(name);
    record.Ruleset = texts.Keep(ruleset);
    return record;
}

std::string Text(HWND window, int id) { return TextOf(GetDlgItem(window, id)); }
bool Ticked(HWND window, int id) { return SendDlgItemMessageA(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Shown(HWND window, int id) { return IsWindowVisible(GetDlgItem(window, id)); }
LRESULT Selection(HWND window, int id) {
    return SendDlgItemMessageA(window, id, id == List1 ? LB_GETCURSEL : CB_GETCURSEL, 0, 0);
}
using Texts = std::vector<std::string>;
// The entries of the list or of a combo box.
Texts Items(HWND window, int id) {
    const bool list = id == List1;
    Texts texts(SendDlgItemMessageA(window, id, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < texts.size(); ++i) {
        char text[64] = {};
        SendDlgItemMessageA(window, id, list ? LB_GETTEXT : CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        texts[i] = text;
    }
    return texts;
}
int16_t HighlightedData(HWND window) {
    return static_cast<int16_t>(SendDlgItemMessageA(window, List1, LB_GETITEMDATA, Selection(window, List1), 0));
}

void Choose(HWND window, int entry) { test::ChooseEntry(window, List1, entry); }

void PressCancel(HWND window) { test::PressPropertiesCancel(window); }
Step Ok(UINT button = WM_LBUTTONDOWN) {
    return [button](HWND window) { test::PressPropertiesOk(window, button); };
}
Step Highlights(int16_t scenario, const std::string& name) {
    return [=](HWND window) {
        EXPECT_EQ(HighlightedData(window), scenario);
        EXPECT_EQ(Text(window, txtName), name);
    };
}

// The number box of a limit is shown exactly while its check box is ticked.
void ExpectLimit(HWND window, int check, int box, bool limited, const std::string& number) {
    EXPECT_EQ(Ticked(window, check), limited) << check;
    EXPECT_EQ(Shown(window, box), limited) << box;
    EXPECT_EQ(Text(window, box), number) << box;
}

class PropertiesWindow : public ::testing::Test {
protected:
    int16_t Show(int16_t selected, const std::vector<Step>& steps) {
        const size_t count = steps.size();
        ModalScript script(kWindowClass, steps);
        const int16_t chosen = ShowMissionProperties(owner.get(), catalogue, WindowsFileSystem(), folder.Path(), selected);
        EXPECT_EQ(script.StepsRun(), count);
        return chosen;
    }
    void Add(ScenarioInfo record) { ASSERT_TRUE(catalogue.AddScenario(std::move(record))); }
    // S1 to S8, S3 unlisted, so that item data and entry positions differ.
    void AddEight() {
        for (int i = 1; i <= 8; ++i) Add(i == 3 ? Scenario("", "") : Scenario("S" + std::to_string(i)));
    }

    test::OwnerWindow owner;
    test::TestFolder folder;
    MissionCatalogue catalogue;
};

TEST(PropertiesHotSpots, CancelThenOkWithEdgesIncludedElseDrag) {
    const struct {
        float x, y;
        Spot expected;
    } presses[] = {
        {4452, 5172, Spot::Ok},     {3540, 4800, Spot::Ok},       {3539.5f, 4800, Spot::Drag},
        {4476, 5000, Spot::Drag},   {4500, 4800, Spot::Cancel},   {5532, 5172, Spot::Cancel},
        {5532.5f, 5000, Spot::Drag}, {4000, 5173, Spot::Drag},    {4000, 4799, Spot::Drag},
        {100, 100, Spot::Drag},
        // The X on the tab cancels; the gap below it and the _ drag.
        {5580, 240, Spot::Cancel},  {5775, 435, Spot::Cancel},    {5579.5f, 300, Spot::Drag},
        {5700, 239.5f, Spot::Drag}, {5700, 436, Spot::Drag},      {5700, 550, Spot::Minimize},
        {5580, 480, Spot::Minimize}, {5775, 675, Spot::Minimize}, {5700, 676, Spot::Drag},
    };
    for (const auto& p : presses) EXPECT_EQ(SpotAt(p.x, p.y), p.expected) << p.x << ", " << p.y;
}

TEST_F(PropertiesWindow, ListsScenariosWithANameOrRulesetInTableOrder) {
    Add(Scenario("Zulu", "CTF"));
    Add(Scenario("Alpha", ""));
    Add(Scenario("", ""));
    Add(Scenario("", "Ruleset"));
    Add(Scenario(" ", " "));
    Add(Scenario("Bravo", "Team"));
    Show(-1, {[](HWND w) {
                  EXPECT_EQ(Items(w, List1), (Texts{"Zulu CTF", "Alpha ", " Ruleset", "Bravo Team"}));
                  std::vector<LRESULT> data;
                  for (LRESULT i = 0; i < 4; ++i)
                      data.push_back(SendDlgItemMessageA(w, List1, LB_GETITEMDATA, i, 0));
                  EXPECT_EQ(data, (std::vector<LRESULT>{1, 2, 4, 6}));

                  EXPECT_EQ(Items(w, cmbFog),
                            (Texts{"0 - Normal", "1 - Light Fog", "2 - Heavy Fog", "3 - Heaviest Fog"}));
                  EXPECT_EQ(Items(w, cmbRadar), (Texts{"0 - Normal", "1 - Team Only", "2 - No Radar"}));
                  EXPECT_EQ(Text(w, cmbFog), "0 - Normal");
                  EXPECT_EQ(Text(w, cmbRadar), "0 - Normal");
              },
              PressCancel});
}

TEST_F(PropertiesWindow, OkReturnsTheHighlightedScenarioEverythingElseTheCallersValue) {
    AddEight();
    const Step chooseS2 = [](HWND w) { Choose(w, 1); };
    const Step close = [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); };
    const struct {
        int16_t selected;
        std::vector<Step> steps;
        int16_t expected;
    } cases[] = {
        {-1, {Highlights(1, "S1"), Ok()}, 1},
        {-1, {Highlights(1, "S1"), PressCancel}, -1},
        {0, {Highlights(1, "S1"), Ok()}, 1},
        {3, {Highlights(1, "S1"), Ok()}, 1},
        {99, {Highlights(1, "S1"), Ok()}, 1},
        {7, {Highlights(7, "S7"), Ok()}, 7},
        {7, {Ok(WM_RBUTTONDOWN)}, 7},
        {7, {Ok(WM_MBUTTONDOWN)}, 7},
        {7, {chooseS2, Highlights(2, "S2"), Ok()}, 2},
        {7, {chooseS2, PressCancel}, 7},
        {7, {chooseS2, [](HWND w) { test::PressPropertiesCancel(w, WM_MBUTTONDOWN); }}, 7},
        {7, {chooseS2, close}, 7},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Show(cases[i].selected, cases[i].steps), cases[i].expected);
    }
}

// Between the buttons and on the title strip.
TEST_F(PropertiesWindow, OnlyTheLeftButtonDragsTheSurface) {
    AddEight();
    Show(-1, {[](HWND w) {
                  const TwipsPerPixel tpp = WindowTwipsPerPixel(w);
                  for (const POINT at : {POINT{PixelsX(4476, tpp), PixelsY(5000, tpp)},
                                         POINT{PixelsX(3000, tpp), PixelsY(150, tpp)}}) {
                      EXPECT_TRUE(test::PressStartsMove(w, WM_LBUTTONDOWN, at)) << at.x;
                      EXPECT_FALSE(test::PressStartsMove(w, WM_RBUTTONDOWN, at)) << at.x;
                      EXPECT_FALSE(test::PressStartsMove(w, WM_MBUTTONDOWN, at)) << at.x;
                  }
                  EXPECT_TRUE(IsWindowVisible(w));
              },
              PressCancel});
}

// The _ on the tab minimises the program, whose window owns this one.
TEST_F(PropertiesWindow, UnderscoreOnTheTabMinimisesTheOwner) {
    AddEight();
    // Sent rather than posted: the window hides with its owner, and no later step would find it.
    EXPECT_EQ(Show(3, {[](HWND w) {
                           const TwipsPerPixel tpp = WindowTwipsPerPixel(w);
                           SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(PixelsX(5680, tpp), PixelsY(580, tpp)));
                           EXPECT_TRUE(IsIconic(GetWindow(w, GW_OWNER)));
                           ShowWindow(GetWindow(w, GW_OWNER), SW_RESTORE);
                       },
                       PressCancel}),
              3);
}

// Never the previous scenario's values as this one's: a scenario without tonnage lines once showed
// those of the scenario shown before it.
TEST_F(PropertiesWindow, NumbersAtZeroOrBelowShowEmptyAndChoicesOutOfRangeNoChoice) {
    ScenarioInfo a = Scenario("A");
    a.GameLength = 30;
    a.MinimumTonnage = 37;
    a.MaximumTonnage = 58;
    a.Visibility = 2;
    a.RadarMode = 1;
    ScenarioInfo b = Scenario("B");
    b.MinimumTonnage = 0;
    b.Visibility = 7;
    b.RadarMode = -1;
    Add(a);
    Add(b);
    Show(2, {[](HWND w) {
                 EXPECT_EQ(Text(w, txtGameLength), "");
                 EXPECT_EQ(Text(w, txtMinimumTonnage), "");
                 EXPECT_EQ(Selection(w, cmbFog), CB_ERR);
                 Choose(w, 0);
                 EXPECT_EQ(Text(w, txtGameLength), "30");
                 EXPECT_EQ(Text(w, txtMinimumTonnage), "37");
                 EXPECT_EQ(Text(w, cmbFog), "2 - Heavy Fog");
                 Choose(w, 1);
                 EXPECT_EQ(Text(w, txtName), "B");
                 for (const int box : {txtGameLength, txtMinimumTonnage, txtMaximumTonnage})
                     EXPECT_EQ(Text(w, box), "") << box;
                 EXPECT_EQ(Selection(w, cmbFog), CB_ERR);
                 EXPECT_EQ(Text(w, cmbFog), "");
                 EXPECT_EQ(Selection(w, cmbRadar), CB_ERR);
                 Choose(w, 0);
                 EXPECT_EQ(Selection(w, cmbRadar), 1);
                 PressCancel(w);
             }});
}

// Enter, a double-click on a scenario and the list's OK choose; Esc and the X on the tab do not.
TEST_F(PropertiesWindow, KeysAndTheTabsXCloseAsOkOrCancel) {
    AddEight();
    const auto key = [](WPARAM k) { return [k](HWND) { test::PostKey(k); }; };
    const Step chooseS2 = [](HWND w) { Choose(w, 1); };
    const struct {
        const char* how;
        std::vector<Step> steps;
        int16_t expected;
    } cases[] = {
        {"Enter", {chooseS2, key(VK_RETURN)}, 2},
        {"Esc", {chooseS2, key(VK_ESCAPE)}, 7},
        {"double-click", {[](HWND w) {
             RECT entry{};
             SendDlgItemMessageA(w, List1, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&entry));
             const LPARAM at = MAKELPARAM(entry.left + 4, entry.top + 2);
             const HWND list = GetDlgItem(w, List1);
             PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
             PostMessageA(list, WM_LBUTTONUP, 0, at);
             PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
             PostMessageA(list, WM_LBUTTONUP, 0, at);
         }}, 5},  // the fourth entry: S3 is not listed
        {"Enter in the scenario text", {chooseS2, [](HWND w) { SetFocus(GetDlgItem(w, txtScenarioText)); },
                                        key(VK_RETURN)}, 2},
        {"Esc in a setting box", {chooseS2, [](HWND w) { SetFocus(GetDlgItem(w, txtName)); }, key(VK_ESCAPE)}, 7},
        {"the X on the tab", {chooseS2, [](HWND w) { test::PressAt(w, 5680, 330); }}, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        EXPECT_EQ(Show(7, c.steps), c.expected);
    }
}

TEST_F(PropertiesWindow, OkCancelAndTheTabsXHaveTooltips) {
    AddEight();
    std::vector<std::string> tips;
    Show(7, {[&](HWND w) {
                 for (const test::Tip& tip : test::TipsOf(w)) tips.push_back(tip.Text);
                 test::PostKey(VK_ESCAPE);
             }});
    EXPECT_EQ(tips, (std::vector<std::string>{"OK (Enter)", "Cancel (Esc)", "Cancel (Esc)", "Minimise"}));
}

// Tab visits every control that takes the focus, the scenario text too, then the painted commands
// (named by their text), and comes round to the filter box, where the focus starts.
TEST_F(PropertiesWindow, TabGoesRoundEveryControl) {
    ScenarioInfo record = Scenario("T");
    record.KillLimit = 1;  // its box shows; the other two limit boxes are hidden and skipped
    Add(record);
    std::vector<std::string> visited;
    std::vector<Step> steps;
    for (int i = 0; i < 22; ++i)
        steps.push_back([&](HWND) {
            const HWND focus = GetFocus();
            visited.push_back(test::IsPaintedCommand(focus) ? test::TextOf(focus) : std::to_string(GetDlgCtrlID(focus)));
            test::PostKey(VK_TAB);
        });
    steps.push_back(PressCancel);
    Show(1, steps);
    std::vector<std::string> expected;
    for (const int id : {txtFilter, List1, txtName, txtRuleset, txtGameLength, txtMinimumTonnage, txtMaximumTonnage,
                         chkIsNight, chkStockMechs, cmbFog, chkWeather, cmbRadar, chkTeamAllowed, chkKillLimited,
                         txtKillLimit, chkRespawnlimited, txtScenarioText})
        expected.push_back(std::to_string(id));
    for (const char* painted : {"OK", "Cancel", "Cancel", "Minimise"}) expected.push_back(painted);
    expected.push_back(std::to_string(txtFilter));
    EXPECT_EQ(visited, expected);
}

// Typing in the filter box narrows the list to the scenarios whose listed text or mission file
// holds the text, ignoring case; the highlighted one stays while it matches, else the first
// match is highlighted and shown; Down goes on into the list.
TEST_F(PropertiesWindow, FilterNarrowsTheListAndKeepsTheHighlightWhileItMatches) {
    const struct {
        const char* name;
        const char* ruleset;
        const char* file;
    } scenarios[] = {
        {"Hill Fight", "FreeForAll", "hills.nfo"}, {"Red Canyon", "CTF", "canyon.nfo"},
        {"Hill Night", "Teams", "hills.nfo"},      {"Salt Flats", "KingOfTheHill", "salt.nfo"},
    };
    for (const auto& s : scenarios) {
        ScenarioInfo record = Scenario(s.name, s.ruleset);
        record.MissionFile = s.file;
        Add(record);
    }
    const auto type = [](const std::string& text) {
        return [text](HWND w) {
            const HWND box = GetDlgItem(w, txtFilter);
            SetFocus(box);
            SendMessageA(box, EM_SETSEL, 0, -1);
            PostMessageA(box, WM_KEYDOWN, VK_DELETE, 1);
            for (const char c : text) PostMessageA(box, WM_CHAR, static_cast<unsigned char>(c), 1);
        };
    };
    const auto expect = [](std::vector<LRESULT> listed, int16_t highlighted, const char* name) {
        return [=](HWND w) {
            std::vector<LRESULT> data;
            for (LRESULT i = 0; i < SendDlgItemMessageA(w, List1, LB_GETCOUNT, 0, 0); ++i)
                data.push_back(SendDlgItemMessageA(w, List1, LB_GETITEMDATA, i, 0));
            EXPECT_EQ(data, listed);
            if (highlighted) {
                EXPECT_EQ(HighlightedData(w), highlighted);
            }
            EXPECT_EQ(Text(w, txtName), name);
        };
    };
    const int16_t none = 0;
    EXPECT_EQ(Show(3, {expect({1, 2, 3, 4}, 3, "Hill Night"),
                       type("hill"), expect({1, 3, 4}, 3, "Hill Night"),      // name, ruleset: still matches
                       type("HILLS.NFO"), expect({1, 3}, 3, "Hill Night"),    // the mission file, any case
                       type("fight"), expect({1}, 1, "Hill Fight"),           // gone: the first match shows
                       type("zzz"), expect({}, none, ""),                     // nothing left to choose
                       type("can"), expect({2}, 2, "Red Canyon"),
                       type(""), expect({1, 2, 3, 4}, 2, "Red Canyon"),
                       [](HWND) { test::PostKey(VK_DOWN); },
                       [](HWND w) { EXPECT_EQ(GetFocus(), GetDlgItem(w, List1)) << "Down goes into the list"; },
                       type("ctf"), Ok()}),
              2);
    // With nothing matching, the boxes are empty, a line says so, and OK and Enter leave the window
    // open; Esc then chooses nothing.
    const auto stillOpen = [](HWND w) {
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_EQ(Text(w, lblNotice), "Nothing matches the filter: change it, or press Esc to choose nothing.");
        EXPECT_EQ(Text(w, txtScenarioText), "");
        EXPECT_EQ(SendDlgItemMessageA(w, cmbFog, CB_GETCURSEL, 0, 0), CB_ERR);
    };
    EXPECT_EQ(Show(3, {type("zzz"), Ok(), stillOpen, [](HWND) { test::PostKey(VK_RETURN); }, stillOpen,
                       [](HWND) { test::PostKey(VK_ESCAPE); }}),
              3);
}

// Nothing typed or clicked in the setting controls was ever kept, so none of them takes it.
TEST_F(PropertiesWindow, SettingControlsShowButTakeNoInput) {
    ScenarioInfo record = Scenario("T");
    record.GameLength = 30;
    record.Weather = 1;
    record.Visibility = 1;
    Add(record);
    const auto focusAnd = [](int id, std::function<void(HWND)> act) {
        return [id, act](HWND w) {
            SetFocus(GetDlgItem(w, id));
            act(GetDlgItem(w, id));
        };
    };
    const auto typed = [](HWND control) {
        PostMessageA(control, WM_KEYDOWN, VK_END, 1);
        PostMessageA(control, WM_CHAR, '9', 1);
        PostMessageA(control, WM_KEYDOWN, VK_BACK, 1);
    };
    const auto clicked = [](HWND control) {
        PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        PostMessageA(control, WM_KEYDOWN, VK_SPACE, 1);
        PostMessageA(control, WM_KEYUP, VK_SPACE, 1);
        PostMessageA(control, WM_KEYDOWN, VK_DOWN, 1);
        PostMessageA(control, WM_CHAR, '3', 1);
    };
    Show(1, {focusAnd(txtGameLength, typed), focusAnd(txtScenarioText, typed), focusAnd(chkWeather, clicked),
             focusAnd(chkIsNight, clicked), focusAnd(cmbFog, clicked),
             [](HWND w) {
                 EXPECT_EQ(Text(w, txtGameLength), "30");
                 EXPECT_EQ(Text(w, txtScenarioText), "");
                 EXPECT_TRUE(Ticked(w, chkWeather));
                 EXPECT_FALSE(Ticked(w, chkIsNight));
                 EXPECT_EQ(Selection(w, cmbFog), 1);
                 for (const int id : {txtName, txtGameLength, txtScenarioText})
                     EXPECT_TRUE(GetWindowLongPtrA(GetDlgItem(w, id), GWL_STYLE) & ES_READONLY) << id;
                 for (const int id : {txtName, chkWeather, cmbFog}) EXPECT_TRUE(IsWindowEnabled(GetDlgItem(w, id))) << id;
                 PressCancel(w);
             }});
}

TEST_F(PropertiesWindow, LimitBoxesShownWhileTheirCheckBoxIsTicked) {
    ScenarioInfo t = Scenario("T");
    t.TeamCount = 4;
    t.KillLimit = 1;
    t.KillLimitNumber = 20;
    t.Weather = 1;
    t.OnlyStockMech = 1;
    ScenarioInfo u = Scenario("U");
    u.TeamAllowed = 1;
    u.RespawnLimit = 1;
    u.RespawnLimitNumber = 5;
    u.IsNight = 1;
    Add(t);
    Add(u);
    Show(1, {[](HWND w) {
                 ExpectLimit(w, chkTeamAllowed, txtTeamLimit, false, "4");
                 ExpectLimit(w, chkKillLimited, txtKillLimit, true, "20");
                 ExpectLimit(w, chkRespawnlimited, txtRespawnLimit, false, "-1");
                 EXPECT_TRUE(Ticked(w, chkWeather));
                 EXPECT_FALSE(Ticked(w, chkIsNight));
                 EXPECT_TRUE(Ticked(w, chkStockMechs));
                 Choose(w, 1);
                 ExpectLimit(w, chkTeamAllowed, txtTeamLimit, true, "-1");
                 ExpectLimit(w, chkKillLimited, txtKillLimit, false, "-1");
                 ExpectLimit(w, chkRespawnlimited, txtRespawnLimit, true, "5");
                 EXPECT_FALSE(Ticked(w, chkWeather));
                 EXPECT_TRUE(Ticked(w, chkIsNight));
                 EXPECT_FALSE(Ticked(w, chkStockMechs));
                 PressCancel(w);
             }});
}

TEST_F(PropertiesWindow, ScenarioTextWithCrLfLineEndsOrEmpty) {
    folder.Write("text\\lines.txt", "a\rb\r\nc");
    folder.Write("text\\empty.txt", "");
    folder.MakeFolder("text\\folder.txt");
    const std::string hidden = folder.Write("text\\hidden.txt", "hidden");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const std::string locked = folder.Write("text\\locked.txt", "locked");
    // Found but unreadable: held open without sharing.
    unique_hfile hold(
        ValidOrNull(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    ASSERT_TRUE(hold);

    const std::pair<std::string, std::string> cases[] = {
        {"text\\lines.txt", "a\r\nb\r\nc\r\n"}, {"text\\empty.txt", ""},  {"text\\missing.txt", ""},
        {"text\\folder.txt", ""},              {"text\\hidden.txt", ""}, {"text\\locked.txt", ""},
        {"", ""},
    };
    for (const auto& [path, shown] : cases) {
        ScenarioInfo record = Scenario("T" + path);
        record.ScenarioText = path;
        Add(record);
    }
    Show(1, {[&](HWND w) {
             for (int i = 1; i < std::ssize(cases); ++i) {
                 SCOPED_TRACE(cases[i].first);
                 Choose(w, 0);
                 EXPECT_EQ(Text(w, txtScenarioText), cases[0].second);
                 Choose(w, i);
                 EXPECT_EQ(Text(w, txtScenarioText), cases[i].second);
             }
             PressCancel(w);
         }});
}

TEST_F(PropertiesWindow, NothingListedLeavesTheCallersValueOnOk) {
    for (const int16_t selected : {int16_t{-1}, int16_t{4}}) {
        EXPECT_EQ(Show(selected, {Ok()}), selected);
        Add(Scenario("", ""));
    }
}

TEST_F(PropertiesWindow, OwnedShapedBesideItsOwnerAndModal) {
    AddEight();
    HWND shown = nullptr;
    Show(-1, {[&](HWND w) {
                  shown = w;
                  unique_hrgn outline(CreateRectRgn(0, 0, 0, 0));
                  EXPECT_NE(GetWindowRgn(w, outline.get()), ERROR);
                  EXPECT_TRUE(PtInRegion(outline.get(), 370, 345));
                  EXPECT_TRUE(PtInRegion(outline.get(), 380, 30));
                  EXPECT_FALSE(PtInRegion(outline.get(), 371, 100));
                  EXPECT_FALSE(PtInRegion(outline.get(), 380, 2));

                  RECT client{}, frame{}, outer{};
                  GetClientRect(w, &client);
                  EXPECT_EQ(client.right, 388);
                  EXPECT_EQ(client.bottom, 346);
                  GetWindowRect(w, &frame);
                  GetWindowRect(GetWindow(w, GW_OWNER), &outer);
                  EXPECT_EQ(frame.right - frame.left, 388);
                  // The owner leaves too little room on either side: on the wider one, its right,
                  // at the work area's edge, level with its top.
                  RECT area{};
                  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
                  ASSERT_LT(area.right - outer.right, 388);
                  EXPECT_EQ(frame.right, area.right);
                  EXPECT_EQ(frame.top, outer.top);
                  EXPECT_EQ(TextOf(w), "");
                  EXPECT_FALSE(GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_APPWINDOW);
                  EXPECT_FALSE(IsWindowEnabled(GetWindow(w, GW_OWNER)));

                  // A press on a label goes to the label, never to the surface's drag.
                  for (const int label : {Label1, Label8, Label12, Label14}) {
                      RECT r{};
                      GetWindowRect(GetDlgItem(w, label), &r);
                      EXPECT_EQ(SendDlgItemMessageA(w, label, WM_NCHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)),
                                HTCLIENT)
                          << label;
                  }
                  EXPECT_EQ(GetFocus(), GetDlgItem(w, txtFilter));
                  test::PostKey(VK_TAB);
              },
              [](HWND w) {
                  EXPECT_EQ(GetFocus(), GetDlgItem(w, List1));
                  PressCancel(w);
              }});
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
}

TEST_F(PropertiesWindow, QuitArrivingInsideEndsTheShowingAndIsPostedAgain) {
    AddEight();
    EXPECT_EQ(Show(7, {[](HWND) { PostQuitMessage(3); }}), 7);
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
    EXPECT_EQ(FindWindowA(kWindowClass, nullptr), nullptr);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(PropertiesWindow, FullTableOpensWithItsLastScenario) {
    for (int i = 1; i <= 32767; ++i) Add(Scenario("S" + std::to_string(i)));
    EXPECT_EQ(Show(32767, {[](HWND w) {
                  EXPECT_EQ(SendDlgItemMessageA(w, List1, LB_GETCOUNT, 0, 0), 32767);
                  EXPECT_EQ(HighlightedData(w), 32767);
                  EXPECT_EQ(Text(w, txtName), "S32767");
              }, Ok()}),
              32767);
}

}  // namespace
}  // namespace rotaplex
