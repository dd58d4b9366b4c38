#pragma once

#include <functional>
#include <string>

#include "RecorderState.h"

// The recorder's state folder: the state file, its lock, the journal and the
// event folder. Every change happens under an exclusive flock on the lock file
// and replaces the state file atomically, so that any number of processes can
// share one recorder and a crash at any moment leaves the old or the new state.
class StateStore {
public:
    // $VELMORA_RECORDER_DIR, else $XDG_STATE_HOME/velmora-recorder, else
    // ~/.local/state/velmora-recorder. Looked up on every use.
    static std::string ResolveDir();

    explicit StateStore(std::string dir);

    const std::string& Dir() const { return m_dir; }
    std::string StatePath() const;
    std::string JournalPath() const;
    std::string EventFolder() const;

    // Creates the folder (user only) if needed; false when that is impossible.
    bool Prepare() const;

    // Reads the state under the lock (defaults when there is none yet).
    bool Read(RecorderState& state) const;

    // Runs change on the fresh state under the lock and stores the result when it
    // differs. change may append to the journal; it runs with the lock held.
    bool Update(const std::function<void(RecorderState&)>& change) const;

    // Sets the attachment, counting generations and telling the event folder.
    static void SetAttached(RecorderState& state, bool attached);

private:
    class Lock;

    bool ReadLocked(RecorderState& state) const;
    bool WriteLocked(const RecorderState& state) const;
    void PostEvent(const RecorderState& state) const;

    std::string m_dir;
};
