#pragma once

#include <QtGlobal>

#include <array>
#include <optional>
#include <string_view>

namespace quorvane {

// One chip of the 27-series family the tool supports; the index is also the
// id of the matching option button in the window.
struct DeviceType
{
    int index;
    std::string_view caption;
    qint32 bytes;
};

inline constexpr std::array<DeviceType, 7> deviceCatalogue{{
    {.index = 0, .caption = "2716", .bytes = 2048},
    {.index = 1, .caption = "2732", .bytes = 4096},
    {.index = 2, .caption = "2764", .bytes = 8192},
    {.index = 3, .caption = "27128", .bytes = 16384},
    {.index = 4, .caption = "27256", .bytes = 32768},
    {.index = 5, .caption = "27512", .bytes = 65536},
    {.index = 6, .caption = "27010", .bytes = 131072},
}};

// A bank holds from 2 to 8 chips; option index i stands for i + 2 chips.
inline constexpr int deviceCountChoices = 7;
inline constexpr int smallestDeviceCount = 2;

// The catalogue row for an option index, or nothing when the index is not one
// of the catalogue's.
std::optional<DeviceType> deviceTypeAt(int index);

// The number of chips for a count option index, or nothing when the index is
// not one of the seven choices.
std::optional<qint16> deviceCountAt(int index);

} // namespace quorvane
