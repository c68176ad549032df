#include "engine/device_catalogue.h"

namespace quorvane {

std::optional<DeviceType> deviceTypeAt(int index)
{
    if (index < 0 || index >= static_cast<int>(deviceCatalogue.size()))
        return std::nullopt;
    return deviceCatalogue[static_cast<std::size_t>(index)];
}

std::optional<qint16> deviceCountAt(int index)
{
    // Rejecting indices outside the seven choices is also what keeps the
    // 16-bit count from ever overflowing.
    if (index < 0 || index >= deviceCountChoices)
        return std::nullopt;
    return static_cast<qint16>(index + smallestDeviceCount);
}

} // namespace quorvane
