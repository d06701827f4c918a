#include "ui/properties/frm_srv_cyc_props.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "cycle/scenario_filter.h"
#include "cycle/scenario_text.h"
#include "ui/framework/child_controls.h"
#include "ui/framework/list_box_fill.h"
#include "ui/framework/list_rows.h"
#include "ui/framework/modal_window.h"
#include "ui/framework/control_input.h"
#include "ui/screen_place.h"
#include "ui/skin/skinned_window.h"

namespace rotaplex {

namespace props {

namespace {

// In tab order, after the window's own controls.
constexpr std::array<HotSpot<Spot>, 4> kHotSpots{{
    {Spot::Ok, 3540, 4452, 4800, 5172},
    {Spot::Cancel, 4500, 5532, 4800, 5172},
    {Spot::Cancel, 5580, 5775, 240, 435},    // the X on the tab
    {Spot::Minimize, 5580, 5775, 480, 675},  // and the _ under it
}};

}  // namespace

Spot SpotAt(float x, float y) { return HotSpotAt<Spot>(kHotSpots, x, y, Spot::Drag); }

}  // namespace props

namespace {

using namespace props;

// The scenarios shown are kept by the window, not by the list: a new filter, even of all 32767,
// is then one count to set rather than an entry to add each.
constexpr DWORD kList =
    WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_NODATA;
// Labels take the presses on them, so that a press there never drags the window.
constexpr DWORD kRightLabel = SS_RIGHT | SS_NOTIFY;
constexpr DWORD kCentredLabel = SS_CENTER | SS_NOTIFY;
// The setting controls show the scenario's values and take no input: nothing typed was ever kept.
constexpr DWORD kTextBox = WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY;
// The scenario text wraps at the box's width: a briefing is read down, not sideways.
constexpr DWORD kTextArea = WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
constexpr DWORD kCheckBox = WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE;
constexpr DWORD kComboBox = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kSunken = WS_EX_CLIENTEDGE;

constexpr int kDropDown = 1440;  // a combo box's height with its list dropped


// Laid out for the system's message font at every display scale from 100 to 200 %: rows 19
// design pixels apart (a combo box's row 2 more) under a list of eight entries, labels wide
// enough for a font a fifth wider than the design's, and the scenario text beside the list it
// belongs to. The small check boxes are exactly box-sized: their caption never shows, the label
// beside them names them.
constexpr std::array<ControlSpec, 34> kControls{{
    // Directly above the list it narrows: typing there lists only the scenarios that match.
    {txtFilter, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kSunken, {120, 390, 3270, 270}},
    {List1, "LISTBOX", "", kList, kSunken, {120, 705, 3270, 1650}},
    {Label1, "STATIC", "Name:", kRightLabel, 0, {90, 2460, 1560, 225}},
    {txtName, "EDIT", "", kTextBox, kSunken, {1710, 2415, 2220, 270}},
    {Label2, "STATIC", "Ruleset:", kRightLabel, 0, {90, 2745, 1560, 225}},
    {txtRuleset, "EDIT", "", kTextBox, kSunken, {1710, 2700, 2220, 270}},
    {Label3, "STATIC", "GameLength:", kRightLabel, 0, {90, 3030, 1560, 225}},
    {txtGameLength, "EDIT", "", kTextBox, kSunken, {1710, 2985, 600, 270}},
    {Label4, "STATIC", "Minimum Ton:", kRightLabel, 0, {90, 3315, 1560, 225}},
    {txtMinimumTonnage, "EDIT", "", kTextBox, kSunken, {1710, 3270, 600, 270}},
    {Label5, "STATIC", "Maximum Ton:", kRightLabel, 0, {90, 3600, 1560, 225}},
    {txtMaximumTonnage, "EDIT", "", kTextBox, kSunken, {1710, 3555, 600, 270}},
    {chkIsNight, "BUTTON", "Night time", kCheckBox, 0, {4050, 2430, 1380, 240}},
    {chkStockMechs, "BUTTON", "Stock Mechs", kCheckBox, 0, {4050, 2715, 1380, 240}},
    {cmbFog, "COMBOBOX", "Combo1", kComboBox, 0, {3240, 2985, 1800, kDropDown}},
    {Label6, "STATIC", "Visibility:", kRightLabel, 0, {2340, 3030, 840, 225}},
    {chkWeather, "BUTTON", "Weather", kCheckBox, 0, {3240, 3315, 1260, 240}},
    {cmbRadar, "COMBOBOX", "Combo1", kComboBox, 0, {3240, 3555, 1800, kDropDown}},
    {Label7, "STATIC", "Radar:", kRightLabel, 0, {2340, 3600, 840, 225}},
    {chkTeamAllowed, "BUTTON", "Check1", kCheckBox, 0, {1710, 3900, 195, 195}},
    {Label8, "STATIC", "Team Allowed:", kRightLabel, 0, {90, 3915, 1560, 225}},
    {Label9, "STATIC", "Team Limit:", kRightLabel, 0, {1965, 3915, 1380, 225}},
    {txtTeamLimit, "EDIT", "", kTextBox, kSunken, {3405, 3870, 540, 270}},
    {chkKillLimited, "BUTTON", "Check1", kCheckBox, 0, {1710, 4185, 195, 195}},
    {Label10, "STATIC", "Kill Limited:", kRightLabel, 0, {90, 4200, 1560, 225}},
    {Label11, "STATIC", "Kill Limit:", kRightLabel, 0, {1965, 4200, 1380, 225}},
    {txtKillLimit, "EDIT", "", kTextBox, kSunken, {3405, 4155, 540, 270}},
    {chkRespawnlimited, "BUTTON", "Check1", kCheckBox, 0, {1710, 4470, 195, 195}},
    {Label12, "STATIC", "Respawn Limited:", kRightLabel, 0, {90, 4485, 1560, 225}},
    {Label13, "STATIC", "Respawn Limit:", kRightLabel, 0, {1965, 4485, 1380, 225}},
    {txtRespawnLimit, "EDIT", "", kTextBox, kSunken, {3405, 4440, 540, 270}},
    {txtScenarioText, "EDIT", "", kTextArea, kSunken, {3480, 705, 1950, 1650}},
    {Label14, "STATIC", "Scenario Text:", kCentredLabel, 0, {3480, 420, 1950, 240}},
    // Beside the limits, a few lines: what the choice replaces, or that nothing matches.
    {lblNotice, "STATIC", "", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0, {4020, 3870, 1410, 840}},
}};

constexpr const wchar_t* kFilterCue = L"Type to narrow the list";
constexpr const char* kNothingMatches = "Nothing matches the filter: change it, or press Esc to choose nothing.";

// The boxes that show a scenario's text, emptied when none is listed.
constexpr std::array<Control, 3> kTextShown{txtName, txtRuleset, txtScenarioText};

// Controls that show a value and take no input (the text boxes are read-only by style).
constexpr std::array<Control, 8> kShowOnly{chkIsNight, chkStockMechs, cmbFog,        chkWeather,
                                           cmbRadar,   chkTeamAllowed, chkKillLimited, chkRespawnlimited};

using Field = int16_t ScenarioInfo::*;

// A control that shows one field of the record.
struct ShownField {
    Control Id;
    Field Value;
};

// Numbers shown only when above 0; otherwise the box is empty, never the previous scenario's value.
constexpr std::array<ShownField, 3> kPositiveNumbers{{
    {txtGameLength, &ScenarioInfo::GameLength},
    {txtMinimumTonnage, &ScenarioInfo::MinimumTonnage},
    {txtMaximumTonnage, &ScenarioInfo::MaximumTonnage},
}};

// A limit's number, always written, in a box shown only while its check box is ticked.
struct LimitBox {
    Control Box;
    Field Number;
    Control Check;
    Field Limited;
};
constexpr std::array<LimitBox, 3> kLimits{{
    {txtTeamLimit, &ScenarioInfo::TeamCount, chkTeamAllowed, &ScenarioInfo::TeamAllowed},
    {txtKillLimit, &ScenarioInfo::KillLimitNumber, chkKillLimited, &ScenarioInfo::KillLimit},
    {txtRespawnLimit, &ScenarioInfo::RespawnLimitNumber, chkRespawnlimited, &ScenarioInfo::RespawnLimit},
}};

// Check boxes ticked for any value but 0.
constexpr std::array<ShownField, 3> kFlags{{
    {chkWeather, &ScenarioInfo::Weather},
    {chkIsNight, &ScenarioInfo::IsNight},
    {chkStockMechs, &ScenarioInfo::OnlyStockMech},
}};

constexpr std::array<const char*, 4> kFogTexts{"0 - Normal", "1 - Light Fog", "2 - Heavy Fog",
                                               "3 - Heaviest Fog"};
constexpr std::array<const char*, 3> kRadarTexts{"0 - Normal", "1 - Team Only", "2 - No Radar"};

// A setting chosen by position; a value without an entry shows no choice.
struct Choice {
    Control Combo;
    Field Value;
    std::span<const char* const> Texts;
};
constexpr std::array<Choice, 2> kChoices{{
    {cmbFog, &ScenarioInfo::Visibility, kFogTexts},
    {cmbRadar, &ScenarioInfo::RadarMode, kRadarTexts},
}};

// Longer than any listed text can usefully be searched for.
constexpr int kMaxFilterLength = 255;

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

class frmSrvCycProps final : public SkinnedWindow<frmSrvCycProps, Spot>, private ListRowSource {
public:
    frmSrvCycProps(const MissionCatalogue& catalogue, FileSystem& files, const std::string& gameFolder,
                   int16_t selectedScenario, const ChooserStart& start)
        : SkinnedWindow(kPropertiesSkin, kHotSpots, Spot::Drag),
          catalogue_(catalogue), files_(files), gameFolder_(gameFolder), SelectedScenario(selectedScenario),
          start_(start) {}

    int16_t ShowModal(HWND owner) {
        RegisterClassOnce(kWindowClass);
        unique_hwnd window(Create(kWindowClass, "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, 0, owner));
        if (!window) return SelectedScenario;
        // Beside the rotation, so that it stays in view while choosing.
        const ScreenRect self = WindowRectOf(window.get());
        const ScreenRect beside = owner ? WindowRectOf(owner) : WorkAreaNear(self);
        MoveWindowTo(window.get(), BesideOwner(self.Width(), self.Height(), beside, WorkAreaNear(beside)));
        DisabledOwner disabled(owner);
        ShowWindow(window.get(), SW_SHOW);
        // Typing filters at once; Down goes on into the list.
        SetFocus(Control(txtFilter));
        RunModalLoop(window.get(), closed_);
        return SelectedScenario;
    }

private:
    friend class BaseWindow<frmSrvCycProps>;
    friend class SkinnedWindow<frmSrvCycProps, Spot>;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_CREATE:
                CreateControls(Window(), kControls);
                AnswerFromRows(Control(List1), *this);
                for (const int shown : kShowOnly) MakeShowOnly(Control(shown));
                LetDialogKeysLeave(Control(txtScenarioText));
                MoveFocusOnDown(Control(txtFilter), Control(List1));
                SendMessageA(Control(txtFilter), EM_LIMITTEXT, kMaxFilterLength, 0);
                SendMessageW(Control(txtFilter), EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(kFilterCue));
                Load();
                return 0;
            case WM_DRAWITEM: {
                if (wParam != List1) break;  // a painted command, the skin's
                const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                DrawListRow(item, item.itemID < shown_.size() ? RowText(static_cast<int>(item.itemID)) : "");
                return TRUE;
            }
            case WM_COMMAND:
                // Enter and Esc come from the dialog keys as IDOK and IDCANCEL.
                if (LOWORD(wParam) == IDOK) Ok();
                if (LOWORD(wParam) == IDCANCEL) Close();
                if (LOWORD(wParam) == List1 && HIWORD(wParam) == LBN_SELCHANGE) List1_Click();
                if (LOWORD(wParam) == List1 && HIWORD(wParam) == LBN_DBLCLK) Ok();
                if (LOWORD(wParam) == txtFilter && HIWORD(wParam) == EN_CHANGE) txtFilter_Change();
                break;  // the painted commands' buttons are the skin's
            case WM_CLOSE:
                Close();  // Alt+F4 and the like choose nothing, as CANCEL does
                return 0;
        }
        return SkinHandling(message, wParam, lParam);
    }

    void Load() {
        Rescale(WindowDpi(Window()));
        for (const Choice& choice : kChoices) {
            HWND combo = Control(choice.Combo);
            for (const char* text : choice.Texts)
                SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            SendMessageA(combo, CB_SETCURSEL, 0, 0);
        }
        FillList();
        // Set after the list is filled: its change notification narrows the list.
        SetText(txtFilter, start_.Filter);
        SendMessageA(Control(txtFilter), EM_SETSEL, 0, -1);
        ShowHighlighted();
    }

    // The highlighted scenario's settings, or empty boxes and a line saying that nothing matches.
    void ShowHighlighted() {
        const std::optional<int16_t> scenario = HighlightedScenario();
        if (scenario)
            ActivateProperties(*scenario);
        else
            ClearProperties();
        SetText(lblNotice, scenario ? start_.Replaces : kNothingMatches);
    }

    void ClearProperties() {
        for (const int box : kTextShown) SetText(box, "");
        for (const ShownField& number : kPositiveNumbers) SetText(number.Id, "");
        for (const LimitBox& limit : kLimits) {
            SetCheck(limit.Check, false);
            ShowWindow(Control(limit.Box), SW_HIDE);
        }
        for (const ShownField& flag : kFlags) SetCheck(flag.Id, false);
        for (const Choice& choice : kChoices) SendMessageA(Control(choice.Combo), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }

    // The scenarios with a name or a ruleset, in table order, with the caller's one highlighted.
    void FillList() {
        for (int i = 1; i <= catalogue_.ScenarioCount(); ++i) {
            const std::string text = catalogue_.DisplayText(static_cast<int16_t>(i));
            if (!IsBlank(text)) filter_.Add(static_cast<int16_t>(i), text, catalogue_.Scenario(i).MissionFile);
        }
        ListScenarios(filter_.Matching(""), SelectedScenario);
    }

    // Shows scenarios (in table order) in the list, with keep highlighted if it is among them,
    // else the first.
    void ListScenarios(std::vector<int16_t> scenarios, std::optional<int16_t> keep) {
        shown_ = std::move(scenarios);
        const HWND list = Control(List1);
        const ListBoxBulkFill fill(list, 0, 0);
        SendMessageA(list, LB_SETCOUNT, shown_.size(), 0);
        const auto kept = keep ? std::lower_bound(shown_.begin(), shown_.end(), *keep) : shown_.end();
        const bool found = kept != shown_.end() && *kept == *keep;
        SendMessageA(list, LB_SETCURSEL, found ? kept - shown_.begin() : shown_.empty() ? -1 : 0, 0);
    }

    std::string RowText(int row) const override {
        return catalogue_.DisplayText(shown_[row]);
    }
    LPARAM RowData(int row) const override { return shown_[row]; }

    void ActivateProperties(int16_t SelectedProperty) {
        const ScenarioInfo& r = catalogue_.Scenario(SelectedProperty);
        SetText(txtName, std::string(r.Name));
        SetText(txtRuleset, std::string(r.Ruleset));
        for (const ShownField& number : kPositiveNumbers)
            SetText(number.Id, r.*number.Value > 0 ? std::to_string(r.*number.Value) : "");
        for (const LimitBox& limit : kLimits) {
            SetText(limit.Box, std::to_string(r.*limit.Number));
            const bool limited = r.*limit.Limited != 0;
            SetCheck(limit.Check, limited);
            ShowWindow(Control(limit.Box), limited ? SW_SHOW : SW_HIDE);
        }
        for (const ShownField& flag : kFlags) SetCheck(flag.Id, r.*flag.Value != 0);
        for (const Choice& choice : kChoices) {
            const int16_t position = r.*choice.Value;
            const bool listed = position >= 0 && position < std::ssize(choice.Texts);
            SendMessageA(Control(choice.Combo), CB_SETCURSEL, listed ? position : -1, 0);
        }
        SetText(txtScenarioText, ReadScenarioText(files_, gameFolder_, r.ScenarioText));
    }

    // The scenarios that match the typed text; the highlighted one stays while it matches, else the
    // first match is highlighted and shown.
    void txtFilter_Change() {
        const std::optional<int16_t> highlighted = HighlightedScenario();
        char typed[kMaxFilterLength + 1] = "";
        GetWindowTextA(Control(txtFilter), typed, sizeof typed);
        ListScenarios(filter_.Matching(typed), highlighted);
        const std::optional<int16_t> now = HighlightedScenario();
        if (now != highlighted || !now) ShowHighlighted();
    }

    void List1_Click() {
        if (const auto scenario = HighlightedScenario()) ActivateProperties(*scenario);
    }

    void LayOut(TwipsPerPixel tpp, HFONT font, SIZE) {
        LayOutControls(Window(), kControls, tpp, font);
        FitRowHeight(Control(List1));
    }

    static std::string NameOf(Spot spot) {
        if (spot == Spot::Minimize) return "Minimise";
        return spot == Spot::Ok ? "OK" : "Cancel";
    }
    // OK and CANCEL as the dialog keys give them; the X on the tab cancels too, the _ minimises.
    static std::string TipOf(Spot spot) {
        if (spot == Spot::Minimize) return "Minimise";
        return spot == Spot::Ok ? "OK (Enter)" : "Cancel (Esc)";
    }

    void MouseDown(UINT, Spot spot) {
        switch (spot) {
            case Spot::Cancel:
                Close();
                break;
            case Spot::Ok:
                Ok();
                break;
            case Spot::Minimize:  // the program, as the main window's _ does
                ShowWindow(GetWindow(Window(), GW_OWNER), SW_MINIMIZE);
                break;
            case Spot::Drag:  // the skin's own
                break;
        }
    }

    void Ok() {
        // With nothing listed there is no choice to hand back: the window stays, its line saying so.
        const auto scenario = HighlightedScenario();
        if (!scenario) return;
        SelectedScenario = *scenario;
        Close();
    }

    // Ends the modal showing; the window is destroyed once its owner takes input again.
    void Close() { closed_ = true; }

    std::optional<int16_t> HighlightedScenario() const {
        HWND list = Control(List1);
        const LRESULT entry = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (entry < 0 || entry >= std::ssize(shown_)) return std::nullopt;
        return shown_[entry];
    }

    HWND Control(int id) const { return GetDlgItem(Window(), id); }
    void SetText(int id, const std::string& text) const { SetWindowTextA(Control(id), text.c_str()); }
    void SetCheck(int id, bool ticked) const {
        SendMessageA(Control(id), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    const MissionCatalogue& catalogue_;
    FileSystem& files_;
    const std::string& gameFolder_;
    int16_t SelectedScenario;
    const ChooserStart& start_;
    ScenarioFilter filter_;
    std::vector<int16_t> shown_;  // the scenario of each entry of List1
    bool closed_ = false;
};

}  // namespace

int16_t ShowMissionProperties(HWND owner, const MissionCatalogue& catalogue, FileSystem& files,
                              const std::string& gameFolder, int16_t SelectedScenario, const ChooserStart& start) {
    return frmSrvCycProps(catalogue, files, gameFolder, SelectedScenario, start).ShowModal(owner);
}

}  // namespace rotaplex
