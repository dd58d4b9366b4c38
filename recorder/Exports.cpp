// The library's exported functions: the protocol, unmangled, plus the event
// folder. Everything else in the library stays hidden.
#pragma GCC visibility push(default)
#include "DravinProtocol.h"
extern "C" const char* VirtualRecorder_EventFolder();
#pragma GCC visibility pop

#include "RecorderFunctions.h"
#include "VirtualRecorder.h"

namespace {
VirtualRecorder& R() { return VirtualRecorder::Instance(); }
}  // namespace

static_assert(recorder::kFunctions.size() == 33);

extern "C" {

bool Check_Device_state() { return R().CheckDeviceState(); }
bool Open_Device() { return R().OpenDevice(); }
bool Login(const char* password, int32_t length) { return R().Login(password, length); }
bool alert_passwd(const char* password, int32_t length) { return R().AlertPasswd(password, length); }
bool get_id(char* buffer50, int32_t* length) { return R().GetId(buffer50, length); }
bool set_id(const char* id, int32_t length) { return R().SetId(id, length); }
bool get_firmware_version(char* buffer50) { return R().GetFirmwareVersion(buffer50); }
bool get_time(int32_t* year, int32_t* month, int32_t* day, int32_t* hour, int32_t* minute,
              int32_t* second) {
    return R().GetTime(year, month, day, hour, minute, second);
}
bool set_time(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
              int32_t second) {
    return R().SetTime({year, month, day, hour, minute, second});
}
bool enter_udisk() { return R().EnterUdisk(); }
bool restore_default() { return R().RestoreDefault(); }

#define VELMORA_EXPORT_LIST_PARAM(fn, row)                                                  \
    bool get_##fn(uint32_t* value) { return R().GetParam(param::row, "get_" #fn, value); } \
    bool set_##fn(int32_t value) { return R().SetParam(param::row, "set_" #fn, value); }
VELMORA_LIST_PARAMS(VELMORA_EXPORT_LIST_PARAM)
#undef VELMORA_EXPORT_LIST_PARAM

bool get_Timezone_info(uint32_t* value) { return R().GetTimezone(value); }
bool set_Timezone_info(int32_t value) { return R().SetTimezone(value); }

const char* VirtualRecorder_EventFolder() { return R().EventFolder(); }

}  // extern "C"
