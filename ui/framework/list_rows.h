#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/framework/gdi_handles.h"

namespace rotaplex {

// A row's number, drawn right-aligned in a column of Width pixels in front of its text.
struct RowNumber {
    std::string_view Text;
    int Width = 0;
};

// What a row with a note shows, as one text: the text, a space and the note; the item's text, so
// that whoever reads the list reads what the row shows.
std::string ListRowText(std::string_view text, std::string_view note = {});

// Draws one row of an owner-drawn list box in the system's colours, selected or not. A row with a
// note is the text greyed, the note after it.
void DrawListRow(const DRAWITEMSTRUCT& item, std::string_view text, std::string_view note = {},
                 RowNumber number = {});

// Gives an owner-drawn list box rows as high as its font's text, as a plain list box has.
void FitRowHeight(HWND list);

// The widths in pixels that DrawListRow needs for rows, in a list's font: one device context
// for all the rows measured while it lasts.
class ListRowMeasure {
public:
    explicit ListRowMeasure(HWND list);
    int Width(std::string_view text, std::string_view note = {}) const;
    // The column that numbers up to widest take, with a gap after them.
    int NumberWidth(std::string_view widest) const;
    int Height() const;  // of a row

private:
    WindowDc dc_;
    SelectedObject font_;
    // Each byte's advance in the font, where a byte is a character (a single-byte code page):
    // a row is then measured by adding, not by asking GDI (32767 rows: 25 ms under Wine).
    std::optional<std::array<int, 256>> advances_;
};

// A list box that selects many rows at once (LBS_EXTENDEDSEL): its selected rows, ascending.
std::vector<int> SelectedRows(HWND list);
// The row with the focus rectangle, -1 in an empty list.
int CaretRow(HWND list);
// Selects exactly the runs of rows given, each as its first row and count.
struct RowRun {
    int First = 0;
    int Count = 0;
};
void SelectRows(HWND list, const std::vector<RowRun>& runs);
// Puts the focus rectangle on caret, scrolled into view; Shift with a click or an arrow then
// selects from anchor on.
void PlaceCaret(HWND list, int anchor, int caret);

// The rows of a list box that keeps none itself (LBS_NODATA): their texts and item data.
class ListRowSource {
public:
    virtual std::string RowText(int row) const = 0;
    virtual LPARAM RowData(int row) const = 0;

protected:
    ~ListRowSource() = default;
};

// Lets an LBS_NODATA list box answer LB_GETTEXT, LB_GETTEXTLEN and LB_GETITEMDATA from rows, as
// a list box that keeps its strings would, so that whoever reads it sees what it shows, from
// another process too: every item has its text for assistive technology, and a new count of
// items costs nothing. rows must outlive the list box.
void AnswerFromRows(HWND list, const ListRowSource& rows);

}  // namespace rotaplex
