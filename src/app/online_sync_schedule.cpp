#include "app/online_sync_schedule.h"

#include "store/data_file.h"

namespace velorine::app {
namespace {

constexpr std::size_t kDayBufferSize = 32;
constexpr std::size_t kAddressBufferSize = 4096;

}  // namespace

bool isDailySyncDue(const std::string& configFile, const store::IniDocument& data, const store::CalendarDate& today) {
    const std::string last = data.read(kOnlineCardsSection, kLastSyncDayKey, "", kDayBufferSize);
    const auto lastDay = store::scanDayText(last);
    if (lastDay && store::comparisonKey(*lastDay) == store::comparisonKey(today)) return false;
    return !store::readValue(configFile, kOnlineBookSection, kOnlineAddressKey, "", kAddressBufferSize).empty();
}

}  // namespace velorine::app
