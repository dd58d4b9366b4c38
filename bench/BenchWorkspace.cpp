#include "BenchWorkspace.h"

#include <stdlib.h>

#include <iostream>
#include <sstream>

#include "RecorderControl.h"

namespace fs = std::filesystem;

BenchWorkspace::BenchWorkspace()
{
    char name[] = "/tmp/velmora-bench-work-XXXXXX";
    m_folder = mkdtemp(name);
    fs::copy(VELMORA_DEMO_DIR, m_folder, fs::copy_options::recursive);
    m_recorder = m_folder / ".recorder";
    fs::create_directory(m_recorder);
    setenv("VELMORA_RECORDER_DIR", m_recorder.c_str(), 1);
    m_oldDir = fs::current_path();
    fs::current_path(m_folder);
    Recorder({"reset"});
    Recorder({"attach"});
}

BenchWorkspace::~BenchWorkspace()
{
    fs::current_path(m_oldDir);
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
}

bool BenchWorkspace::Recorder(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    if (RecorderControl::Main(args, out, err) == 0)
        return true;
    std::cerr << "velmora-recorder " << args.front() << ": " << err.str();
    return false;
}
