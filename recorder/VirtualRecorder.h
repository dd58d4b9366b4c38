#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "RecorderFunctions.h"
#include "RecorderState.h"

// The behaviour behind the exported protocol functions. The recorder's memory
// lives in the state folder and is read afresh on every call; what is this
// process's own is the session (opened, logged in), which a detach voids.
class VirtualRecorder {
public:
    static constexpr size_t kBufferBytes = 50;
    static constexpr int32_t kPasswordLength = 6;

    static VirtualRecorder& Instance();

    bool CheckDeviceState();
    bool OpenDevice();
    bool Login(const char* password, int32_t length);
    bool AlertPasswd(const char* password, int32_t length);
    bool GetId(char* buffer50, int32_t* length);
    bool SetId(const char* id, int32_t length);
    bool GetFirmwareVersion(char* buffer50);
    bool GetTime(int32_t* year, int32_t* month, int32_t* day, int32_t* hour, int32_t* minute,
                 int32_t* second);
    bool SetTime(const RecorderState::Clock& clock);
    bool EnterUdisk();
    bool RestoreDefault();
    bool GetParam(int row, const char* function, uint32_t* value);
    bool SetParam(int row, const char* function, int32_t value);
    bool GetTimezone(uint32_t* value);
    bool SetTimezone(int32_t value);

    // The folder whose entries change on every attach and detach. The text stays
    // valid until the next call.
    const char* EventFolder();

private:
    struct Session {
        std::string dir;
        uint64_t generation = 0;
        bool opened = false;
        bool loggedIn = false;
    };
    // Carries out the call on the state; answer gets what the journal shows of it.
    using Body = std::function<bool(RecorderState& state, std::string& answer)>;

    bool Call(std::string_view function, const std::string& args, const Body& body);
    bool Permitted(const RecorderState& state, const std::string& dir, recorder::Access access);
    static bool ConsumeFault(RecorderState& state, std::string_view function);
    void WaitIfDelayed(const std::string& dir, std::string_view function);

    std::mutex m_mutex;
    Session m_session;
    std::string m_eventFolder;
};
