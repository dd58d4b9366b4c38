#include "VirtualRecorder.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "Journal.h"
#include "StateCodec.h"
#include "StateStore.h"
#include "TextEscape.h"

namespace {

std::string Quoted(std::string_view text) { return "\"" + textescape::Escape(text) + "\""; }

// The recorder writes at most the buffer's 50 bytes, with a NUL only if it fits.
size_t CopyOut(std::string_view text, char* buffer50) {
    const size_t n = std::min(text.size(), VirtualRecorder::kBufferBytes);
    std::memcpy(buffer50, text.data(), n);
    if (n < VirtualRecorder::kBufferBytes) buffer50[n] = '\0';
    return n;
}

bool AcceptablePassword(const char* password, int32_t length) {
    if (!password || length != VirtualRecorder::kPasswordLength) return false;
    const size_t size = strnlen(password, VirtualRecorder::kPasswordLength + 1);
    return size >= 1 && size <= static_cast<size_t>(VirtualRecorder::kPasswordLength);
}

}  // namespace

VirtualRecorder& VirtualRecorder::Instance() {
    static VirtualRecorder recorder;
    return recorder;
}

bool VirtualRecorder::Call(std::string_view function, const std::string& args, const Body& body) {
    const recorder::FunctionInfo* info = recorder::FindFunction(function);
    const StateStore store(StateStore::ResolveDir());
    WaitIfDelayed(store.Dir(), function);

    std::lock_guard guard(m_mutex);
    bool result = false;
    std::string answer;
    const bool stored = store.Update([&](RecorderState& state) {
        result = !ConsumeFault(state, function) && Permitted(state, store.Dir(), info->access) &&
                 body(state, answer);
    });
    result = result && stored;
    Journal(store.JournalPath())
        .Append(std::string(function) + "(" + args + ") -> " + (result ? "true" : "false") +
                (result && !answer.empty() ? " " + answer : ""));
    return result;
}

bool VirtualRecorder::Permitted(const RecorderState& state, const std::string& dir,
                                recorder::Access access) {
    if (!state.attached) return false;
    if (access == recorder::Access::Attached) return true;
    const bool open = m_session.opened && m_session.dir == dir &&
                      m_session.generation == state.generation;
    return open && (access == recorder::Access::Opened || m_session.loggedIn);
}

bool VirtualRecorder::ConsumeFault(RecorderState& state, std::string_view function) {
    const auto fault = state.faults.find(std::string(function));
    if (fault == state.faults.end()) return false;
    if (fault->second != RecorderState::kFailAlways && --fault->second <= 0) {
        state.faults.erase(fault);
    }
    return true;
}

// The wait happens before the call takes the lock, so that other processes (a
// detach, say) go on meanwhile and the call then answers for the state after it.
void VirtualRecorder::WaitIfDelayed(const std::string& dir, std::string_view function) {
    RecorderState state;
    if (!StateStore(dir).Read(state)) return;
    const auto delay = state.delays.find(std::string(function));
    if (delay == state.delays.end()) return;
    Journal(StateStore(dir).JournalPath())
        .Append(std::string(function) + ": waiting " + std::to_string(delay->second) + " ms");
    std::this_thread::sleep_for(std::chrono::milliseconds(delay->second));
}

bool VirtualRecorder::CheckDeviceState() {
    return Call("Check_Device_state", "", [](RecorderState&, std::string&) { return true; });
}

bool VirtualRecorder::OpenDevice() {
    return Call("Open_Device", "", [this](RecorderState& state, std::string&) {
        m_session = {StateStore::ResolveDir(), state.generation, true, false};
        return true;
    });
}

bool VirtualRecorder::Login(const char* password, int32_t length) {
    const std::string args = std::string(StateCodec::kMask) + ", " + std::to_string(length);
    return Call("Login", args, [&](RecorderState& state, std::string&) {
        m_session.loggedIn = AcceptablePassword(password, length) && state.password == password;
        return m_session.loggedIn;
    });
}

bool VirtualRecorder::AlertPasswd(const char* password, int32_t length) {
    const std::string args = std::string(StateCodec::kMask) + ", " + std::to_string(length);
    return Call("alert_passwd", args, [&](RecorderState& state, std::string&) {
        if (!AcceptablePassword(password, length)) return false;
        state.password = password;
        return true;
    });
}

bool VirtualRecorder::GetId(char* buffer50, int32_t* length) {
    return Call("get_id", "buffer, &length", [&](RecorderState& state, std::string& answer) {
        if (!buffer50) return false;
        const size_t n = CopyOut(state.idText, buffer50);
        if (length) *length = static_cast<int32_t>(n);
        answer = Quoted(state.idText);
        return true;
    });
}

bool VirtualRecorder::SetId(const char* id, int32_t length) {
    const std::string args =
        (id ? Quoted(std::string_view(id, strnlen(id, kBufferBytes))) : "NULL") + ", " +
        std::to_string(length);
    return Call("set_id", args, [&](RecorderState& state, std::string&) {
        if (!id) return false;
        // The text must fit the reader's buffer with its NUL; the length counts
        // characters, so it is at most the byte count.
        const size_t bytes = strnlen(id, kBufferBytes);
        if (bytes == 0 || bytes >= kBufferBytes || length < 1 ||
            static_cast<size_t>(length) > bytes) {
            return false;
        }
        state.idText.assign(id, bytes);
        return true;
    });
}

bool VirtualRecorder::GetFirmwareVersion(char* buffer50) {
    return Call("get_firmware_version", "buffer", [&](RecorderState& state, std::string& answer) {
        if (!buffer50) return false;
        CopyOut(state.firmwareVersion, buffer50);
        answer = Quoted(state.firmwareVersion);
        return true;
    });
}

bool VirtualRecorder::GetTime(int32_t* year, int32_t* month, int32_t* day, int32_t* hour,
                              int32_t* minute, int32_t* second) {
    int32_t* out[6] = {year, month, day, hour, minute, second};
    return Call("get_time", "6 pointers", [&](RecorderState& state, std::string& answer) {
        if (std::find(std::begin(out), std::end(out), nullptr) != std::end(out)) return false;
        const RecorderState::Clock clock = state.ClockNow();
        for (size_t i = 0; i < clock.size(); ++i) *out[i] = clock[i];
        answer = RecorderState::ClockText(clock);
        return true;
    });
}

bool VirtualRecorder::SetTime(const RecorderState::Clock& clock) {
    std::string args;
    for (int32_t part : clock) args += (args.empty() ? "" : ", ") + std::to_string(part);
    return Call("set_time", args, [&](RecorderState& state, std::string&) {
        return state.SetClock(clock);
    });
}

bool VirtualRecorder::EnterUdisk() {
    return Call("enter_udisk", "", [](RecorderState& state, std::string&) {
        StateStore::SetAttached(state, false);
        return true;
    });
}

bool VirtualRecorder::RestoreDefault() {
    return Call("restore_default", "", [](RecorderState& state, std::string&) {
        state.RestoreDefaults();
        return true;
    });
}

bool VirtualRecorder::GetParam(int row, const char* function, uint32_t* value) {
    return Call(function, "&value", [&](RecorderState& state, std::string& answer) {
        if (!value) return false;
        // An unsupported parameter answers its list's count.
        *value = state.supported[row] ? state.params[row]
                                      : static_cast<uint32_t>(param::kRanges[row].count);
        answer = std::to_string(*value);
        return true;
    });
}

bool VirtualRecorder::SetParam(int row, const char* function, int32_t value) {
    return Call(function, std::to_string(value), [&](RecorderState& state, std::string&) {
        if (value == -1) return true;  // nothing selected: keep what is stored
        if (!state.supported[row] || value < 0 || value >= param::kRanges[row].count) return false;
        state.params[row] = static_cast<uint32_t>(value);
        return true;
    });
}

bool VirtualRecorder::GetTimezone(uint32_t* value) {
    return Call("get_Timezone_info", "&value", [&](RecorderState& state, std::string& answer) {
        if (!value) return false;
        *value = state.timezone;
        answer = std::to_string(*value);
        return true;
    });
}

bool VirtualRecorder::SetTimezone(int32_t value) {
    return Call("set_Timezone_info", std::to_string(value), [&](RecorderState& state, std::string&) {
        if (value < param::kTimezoneMin || value > param::kTimezoneMax) return false;
        state.timezone = static_cast<uint32_t>(value);
        return true;
    });
}

const char* VirtualRecorder::EventFolder() {
    std::lock_guard guard(m_mutex);
    const StateStore store(StateStore::ResolveDir());
    store.Prepare();
    m_eventFolder = store.EventFolder();
    return m_eventFolder.c_str();
}
