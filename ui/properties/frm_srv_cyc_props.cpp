#include "ui/properties/frm_srv_cyc_props.h"

#include <array>
#include <optional>
#include <span>

#include "cycle/win/scenario_text.h"
#include "ui/framework/child_controls.h"
#include "ui/framework/list_box_fill.h"
#include "ui/framework/modal_window.h"
#include "ui/skin/skinned_window.h"

namespace rotaplex {

namespace props {

namespace {

constexpr std::array<HotSpot<Spot>, 2> kHotSpots{{
    {Spot::Cancel, 4500, 5532, 4800, 5172},
    {Spot::Ok, 3540, 4452, 4800, 5172},
}};

}  // namespace

Spot SpotAt(float x, float y) { return HotSpotAt<Spot>(kHotSpots, x, y, Spot::Drag); }

}  // namespace props

namespace {

using namespace props;

constexpr DWORD kList = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
// Labels take the presses on them, so that a press there never drags the window.
constexpr DWORD kRightLabel = SS_RIGHT | SS_NOTIFY;
constexpr DWORD kCentredLabel = SS_CENTER | SS_NOTIFY;
constexpr DWORD kTextBox = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kTextArea =
    WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN;
constexpr DWORD kCheckBox = WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE;
constexpr DWORD kComboBox = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD kSunken = WS_EX_CLIENTEDGE;

constexpr int kDropDown = 1440;  // a combo box's height with its list dropped

// Kept free directly above List1 for the box that filters the listed scenarios, txtFilter.
[[maybe_unused]] constexpr TwipsRect kTxtFilterPlace{120, 390, 3270, 270};

// Laid out for the system's message font at every display scale from 100 to 200 %: rows 19
// design pixels apart (a combo box's row 2 more) under a list of eight entries, labels wide
// enough for a font a fifth wider than the design's, and the scenario text beside the list it
// belongs to. The small check boxes are exactly box-sized: their caption never shows, the label
// beside them names them.
constexpr std::array<ControlSpec, 32> kControls{{
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
}};

using Field = int16_t ScenarioInfo::*;

// A control that shows one field of the record.
struct ShownField {
    Control Id;
    Field Value;
};

// Numbers shown only when above 0; otherwise the box keeps the previous scenario's text.
constexpr std::array<ShownField, 3> kKeptNumbers{{
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

// A setting chosen by position; a value without an entry leaves the previous choice.
struct Choice {
    Control Combo;
    Field Value;
    std::span<const char* const> Texts;
};
constexpr std::array<Choice, 2> kChoices{{
    {cmbFog, &ScenarioInfo::Visibility, kFogTexts},
    {cmbRadar, &ScenarioInfo::RadarMode, kRadarTexts},
}};

// A guess at the list's text per entry, so that its storage is reserved once.
constexpr int kListBytesPerEntry = 32;

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

class frmSrvCycProps : public SkinnedWindow<frmSrvCycProps, Spot> {
public:
    frmSrvCycProps(const MissionCatalogue& catalogue, const std::string& gameFolder, int16_t selectedScenario)
        : SkinnedWindow(kPropertiesSkin, kHotSpots, Spot::Drag),
          catalogue_(catalogue), gameFolder_(gameFolder), SelectedScenario(selectedScenario) {}

    int16_t ShowModal(HWND owner) {
        RegisterClassOnce(kWindowClass);
        unique_hwnd window(Create(kWindowClass, "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, 0, owner));
        if (!window) return SelectedScenario;
        PlaceCentredOver(window.get(), owner, kPropertiesSkin.ClientWidth, kPropertiesSkin.ClientHeight);
        DisabledOwner disabled(owner);
        ShowWindow(window.get(), SW_SHOW);
        SetFocus(Control(List1));
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
                Load();
                return 0;
            case WM_COMMAND:
                if (LOWORD(wParam) == List1 && HIWORD(wParam) == LBN_SELCHANGE) List1_Click();
                return 0;
            case WM_CLOSE:
                Close();  // Alt+F4 and the like choose nothing, as CANCEL does
                return 0;
            case WM_DESTROY:
                Unload();
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
        if (const auto scenario = HighlightedScenario()) ActivateProperties(*scenario);
    }

    // The listed scenarios in table order, with the caller's one highlighted, or else the first.
    void FillList() {
        HWND list = Control(List1);
        const int count = catalogue_.ScenarioCount();
        const ListBoxBulkFill fill(list, count, static_cast<size_t>(count) * kListBytesPerEntry);
        LRESULT highlighted = 0;
        for (int i = 1; i <= count; ++i) {
            const ScenarioInfo& record = catalogue_.Scenario(i);
            const std::string text = record.Name + " " + record.Ruleset;
            if (IsBlank(text)) continue;
            const LRESULT entry = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            SendMessageA(list, LB_SETITEMDATA, entry, i);
            if (i == SelectedScenario) highlighted = entry;
        }
        SendMessageA(list, LB_SETCURSEL, highlighted, 0);
    }

    void ActivateProperties(int16_t SelectedProperty) {
        const ScenarioInfo& r = catalogue_.Scenario(SelectedProperty);
        SetText(txtName, r.Name);
        SetText(txtRuleset, r.Ruleset);
        for (const ShownField& number : kKeptNumbers)
            if (r.*number.Value > 0) SetText(number.Id, std::to_string(r.*number.Value));
        for (const LimitBox& limit : kLimits) {
            SetText(limit.Box, std::to_string(r.*limit.Number));
            const bool limited = r.*limit.Limited != 0;
            SetCheck(limit.Check, limited);
            ShowWindow(Control(limit.Box), limited ? SW_SHOW : SW_HIDE);
        }
        for (const ShownField& flag : kFlags) SetCheck(flag.Id, r.*flag.Value != 0);
        for (const Choice& choice : kChoices) {
            const int16_t position = r.*choice.Value;
            if (position >= 0 && position < std::ssize(choice.Texts))
                SendMessageA(Control(choice.Combo), CB_SETCURSEL, position, 0);
        }
        SetText(txtScenarioText, ReadScenarioText(gameFolder_, r.ScenarioText));
    }

    void List1_Click() {
        if (const auto scenario = HighlightedScenario()) ActivateProperties(*scenario);
    }

    void LayOut(TwipsPerPixel tpp, HFONT font) { LayOutControls(Window(), kControls, tpp, font); }

    void MouseDown(UINT, Spot spot) {
        switch (spot) {
            case Spot::Cancel:
                Close();
                break;
            case Spot::Ok:
                // With nothing listed there is no choice to hand back: the caller's value stands.
                if (const auto scenario = HighlightedScenario()) SelectedScenario = *scenario;
                Close();
                break;
            case Spot::Drag:  // the skin's own
                break;
        }
    }

    void Unload() { ReleaseOutline(); }

    // Ends the modal showing; the window is destroyed once its owner takes input again.
    void Close() { closed_ = true; }

    std::optional<int16_t> HighlightedScenario() const {
        HWND list = Control(List1);
        const LRESULT entry = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (entry == LB_ERR) return std::nullopt;
        return static_cast<int16_t>(SendMessageA(list, LB_GETITEMDATA, entry, 0));
    }

    HWND Control(int id) const { return GetDlgItem(Window(), id); }
    void SetText(int id, const std::string& text) const { SetWindowTextA(Control(id), text.c_str()); }
    void SetCheck(int id, bool ticked) const {
        SendMessageA(Control(id), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    const MissionCatalogue& catalogue_;
    const std::string& gameFolder_;
    int16_t SelectedScenario;
    bool closed_ = false;
};

}  // namespace

int16_t ShowMissionProperties(HWND owner, const MissionCatalogue& catalogue, const std::string& gameFolder,
                              int16_t SelectedScenario) {
    return frmSrvCycProps(catalogue, gameFolder, SelectedScenario).ShowModal(owner);
}

}  // namespace rotaplex
