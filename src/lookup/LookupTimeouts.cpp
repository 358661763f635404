#include "lookup/LookupTimeouts.h"

#include "core/Settings.h"

#include <algorithm>

CLookupTimeouts CLookupTimeouts::FromSettings()
{
    const auto seconds = [](const CIntSetting& setting) {
        return std::chrono::milliseconds(std::clamp(GetSetting(setting), kMinSeconds, kMaxSeconds) *
                                         1000LL);
    };
    return {seconds(Setting::ConnectTimeout), seconds(Setting::ReadTimeout),
            seconds(Setting::LookupTimeout)};
}
