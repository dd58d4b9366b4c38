#include "RecorderControl.h"

#include "Journal.h"
#include "StateCodec.h"
#include "StateStore.h"

namespace {

using Kind = ControlCommand::Kind;

int Failed(std::ostream& err, const StateStore& store) {
    err << "velmora-recorder: cannot use the state folder " << store.Dir() << "\n";
    return RecorderControl::kFailed;
}

int Status(const StateStore& store, std::ostream& out, std::ostream& err) {
    RecorderState state;
    if (!store.Read(state)) return Failed(err, store);
    out << "state_dir=" << store.Dir() << "\n";
    for (const auto& [name, value] : StateCodec::Describe(state)) out << name << "=" << value << "\n";
    out << "clock_now=" << RecorderState::ClockText(state.ClockNow()) << "\n";
    return RecorderControl::kOk;
}

// The memory change of a command that only changes memory; error is set when
// the value is refused.
void Change(const ControlCommand& command, RecorderState& state, std::string& error) {
    switch (command.kind) {
    case Kind::Attach:
    case Kind::Detach:
        StateStore::SetAttached(state, command.kind == Kind::Attach);
        break;
    case Kind::Set:
        StateCodec::SetField(state, command.field, command.value, false, &error);
        break;
    case Kind::Fail:
        if (command.failCount == 0) {
            state.faults.erase(command.function);
        } else {
            state.faults[command.function] = command.failCount;
        }
        break;
    case Kind::Delay:
        if (command.delayMs == 0) {
            state.delays.erase(command.function);
        } else {
            state.delays[command.function] = command.delayMs;
        }
        break;
    case Kind::Reset: {
        // Factory memory; being plugged in is not memory, so it stays as it is.
        RecorderState fresh;
        fresh.attached = state.attached;
        fresh.generation = state.generation;
        fresh.eventSeq = state.eventSeq;
        state = fresh;
        break;
    }
    default:
        break;
    }
}

}  // namespace

int RecorderControl::Run(const ControlCommand& command, std::ostream& out, std::ostream& err) {
    const StateStore store(StateStore::ResolveDir());
    switch (command.kind) {
    case Kind::Help:
        out << ControlArgs::Usage();
        return kOk;
    case Kind::Status:
        return Status(store, out, err);
    case Kind::Journal:
        out << Journal(store.JournalPath() + ".old").ReadAll()
            << Journal(store.JournalPath()).ReadAll();
        return kOk;
    default:
        break;
    }
    std::string error;
    if (!store.Update([&](RecorderState& state) { Change(command, state, error); })) {
        return Failed(err, store);
    }
    if (!error.empty()) {
        err << "velmora-recorder: set " << command.field << ": " << error << "\n";
        return kBadArgs;
    }
    if (command.kind == Kind::Reset) Journal(store.JournalPath()).Clear();
    return kOk;
}

int RecorderControl::Main(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err) {
    ControlCommand command;
    std::string error;
    if (!ControlArgs::Parse(args, command, error)) {
        err << "velmora-recorder: " << error << "\n\n" << ControlArgs::Usage();
        return kBadArgs;
    }
    return Run(command, out, err);
}
