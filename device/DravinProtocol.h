#pragma once

#include <cstdint>

// The recorder protocol library (libDravin_protocol.so). Unmangled C functions;
// each answers a one-byte boolean, true on success. Texts are NUL-terminated
// 8-bit strings in the ANSI code page.
extern "C" {

bool Check_Device_state();
bool Open_Device();
bool Login(const char* password, int32_t length);
bool alert_passwd(const char* password, int32_t length);
bool get_id(char* buffer50, int32_t* length);
bool set_id(const char* id, int32_t length);
bool get_firmware_version(char* buffer50);
bool get_time(int32_t* year, int32_t* month, int32_t* day, int32_t* hour, int32_t* minute,
              int32_t* second);
bool set_time(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
              int32_t second);
bool enter_udisk();
bool restore_default();

bool get_Resolution(uint32_t* value);
bool set_Resolution(int32_t value);
bool get_VideoSplitTime(uint32_t* value);
bool set_VideoSplitTime(int32_t value);
bool get_Gps(uint32_t* value);
bool set_Gps(int32_t value);
bool get_SoundVolume(uint32_t* value);
bool set_SoundVolume(int32_t value);
bool get_Video_quality(uint32_t* value);
bool set_Video_quality(int32_t value);
bool get_Infrared(uint32_t* value);
bool set_Infrared(int32_t value);
bool get_Recording_warning(uint32_t* value);
bool set_Recording_warning(int32_t value);
bool get_loop_record(uint32_t* value);
bool set_loop_record(int32_t value);
bool get_video_codec_format(uint32_t* value);
bool set_video_codec_format(int32_t value);
bool get_pre_record(uint32_t* value);
bool set_pre_record(int32_t value);

bool get_Timezone_info(uint32_t* value);
bool set_Timezone_info(int32_t value);

// Not one of the protocol functions: the virtual recorder offers it so that the
// tool can notice its attach and detach. Looked up at run time; a library without
// it simply lacks this notice. Answers a folder whose entries change on attach/detach.
typedef const char* (*DeviceEventFolderFn)();
}

// The name under which the virtual recorder offers its DeviceEventFolderFn.
inline constexpr const char kDeviceEventFolderSymbol[] = "VirtualRecorder_EventFolder";
