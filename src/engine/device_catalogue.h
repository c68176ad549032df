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
    {0, "2716", 2048},
    {1, "2732", 4096},
    {2, "2764", 8192},
    {3, "27128", 16384},
    {4, "27256", 32768},
    {5, "27512", 65536},
    {6, "27010", 131072},
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
