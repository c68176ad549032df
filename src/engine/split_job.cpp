#include "engine/split_job.h"

#include "engine/device_catalogue.h"

namespace quorvane {

void chooseDeviceType(SplitJob &job, int index)
{
    if (const auto type = deviceTypeAt(index))
        job.DeviceSize = type->bytes;
}

void chooseDeviceCount(SplitJob &job, int index)
{
    if (const auto count = deviceCountAt(index))
        job.DeviceCount = *count;
}

bool runAllowed(const SplitJob &job, const QString &sourcePathCaption, const QString &baseName)
{
    return job.DeviceCount != 0 && job.DeviceSize != 0 && !sourcePathCaption.isEmpty() && !baseName.isEmpty();
}

} // namespace quorvane
