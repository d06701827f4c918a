#include "cycle/window_place.h"

#include <algorithm>
#include <charconv>

#include "cycle/remembered_folders.h"

namespace rotaplex {

namespace {

// Windows' coordinates are 16-bit numbers in their messages.
constexpr int kFarthest = 32767;

ScreenRect MovedInside(ScreenRect wanted, const ScreenRect& area) {
    const int width = wanted.Width(), height = wanted.Height();
    const int left = std::max(area.Left, std::min(wanted.Left, area.Right - width));
    const int top = std::max(area.Top, std::min(wanted.Top, area.Bottom - height));
    return {left, top, left + width, top + height};
}

}  // namespace

std::string PlaceText(const ScreenRect& place) {
    return std::to_string(place.Left) + "," + std::to_string(place.Top) + "," + std::to_string(place.Right) + "," +
           std::to_string(place.Bottom);
}

std::optional<ScreenRect> ParsePlace(std::string_view text) {
    int numbers[4] = {};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && (at == end || *at++ != ',')) return std::nullopt;
        const auto [next, error] = std::from_chars(at, end, numbers[i]);
        if (error != std::errc() || numbers[i] < -kFarthest || numbers[i] > kFarthest) return std::nullopt;
        at = next;
    }
    const ScreenRect place{numbers[0], numbers[1], numbers[2], numbers[3]};
    if (at != end || place.Width() <= 0 || place.Height() <= 0) return std::nullopt;
    return place;
}

ScreenRect FittedPlace(const ScreenRect& wanted, const ScreenRect& area, int leastWidth, int leastHeight) {
    const int width = std::max(leastWidth, std::min(wanted.Width(), area.Width()));
    const int height = std::max(leastHeight, std::min(wanted.Height(), area.Height()));
    return MovedInside({wanted.Left, wanted.Top, wanted.Left + width, wanted.Top + height}, area);
}

ScreenRect CentredIn(int width, int height, const ScreenRect& area) {
    const int left = area.Left + (area.Width() - width) / 2, top = area.Top + (area.Height() - height) / 2;
    return MovedInside({left, top, left + width, top + height}, area);
}

ScreenRect BesideOwner(int width, int height, const ScreenRect& owner, const ScreenRect& area) {
    const auto at = [&](int left) { return ScreenRect{left, owner.Top, left + width, owner.Top + height}; };
    const int right = area.Right - owner.Right, left = owner.Left - area.Left;
    const bool onTheRight = right >= width || (left < width && right >= left);
    return MovedInside(at(onTheRight ? owner.Right : owner.Left - width), area);
}

std::vector<std::string> PlacesToForget(const std::vector<std::string>& placed,
                                        const std::vector<std::string>& rememberedFolders) {
    std::vector<std::string> forget;
    for (const std::string& folder : placed)
        if (std::none_of(rememberedFolders.begin(), rememberedFolders.end(),
                         [&](const std::string& kept) { return SameFolder(folder, kept); }))
            forget.push_back(folder);
    return forget;
}

}  // namespace rotaplex
