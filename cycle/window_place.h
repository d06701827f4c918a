#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rotaplex {

// A rectangle on the screen in pixels: a window's place, or a monitor's work area.
struct ScreenRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const ScreenRect&) const = default;
};

// How a window's place is remembered for its game folder: "left,top,right,bottom".
std::string PlaceText(const ScreenRect& place);
// A remembered place read back; nothing for a text that is not four whole numbers within the
// screen's coordinates, or for an empty rectangle.
std::optional<ScreenRect> ParsePlace(std::string_view text);

// wanted made to fit area: no smaller than the least size nor larger than the area, then moved
// the least distance that puts it inside.
ScreenRect FittedPlace(const ScreenRect& wanted, const ScreenRect& area, int leastWidth, int leastHeight);

// A window of that size centred in area (kept inside it).
ScreenRect CentredIn(int width, int height, const ScreenRect& area);

// A window of that size beside owner, level with its top: on its right where it fits inside
// area, else on its left where it fits there, else on the side with more room; in each case
// moved inside area, so that it covers as little of the owner as the area allows.
ScreenRect BesideOwner(int width, int height, const ScreenRect& owner, const ScreenRect& area);

// The folders whose remembered places are no longer kept: those among placed that are not
// among the remembered folders.
std::vector<std::string> PlacesToForget(const std::vector<std::string>& placed,
                                        const std::vector<std::string>& rememberedFolders);

}  // namespace rotaplex
