// Helpers for the comm tests: a temporary folder, scoped environment variables and a pty
// mapped as a COM number through COMLINK_PORTS.
#pragma once

#include "platform/windows.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace platform::comm::testing {

// A fresh folder under $TMPDIR (or /tmp), removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Sets (or, with nullopt, unsets) an environment variable for the life of the scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_previous;
};

// A pty pair whose slave is entry "com<number>" of a private COMLINK_PORTS folder.
class MappedPty {
public:
    explicit MappedPty(int com_number);
    ~MappedPty();
    MappedPty(const MappedPty&) = delete;
    MappedPty& operator=(const MappedPty&) = delete;

    int master() const { return m_master; }
    // The test's own descriptor on the slave, for reading back its termios.
    int slave() const { return m_slave; }
    const std::string& slave_path() const { return m_slave_path; }
    const TempFolder& folder() const { return m_folder; }
    void close_master();
    // CreateFileA on "\\.\COM<number>", as the library opens it.
    HANDLE open() const;

private:
    int m_com_number;
    TempFolder m_folder;
    std::optional<ScopedEnv> m_env;
    int m_master = -1;
    int m_slave = -1;
    std::string m_slave_path;
};

HANDLE open_com(int com_number);

} // namespace platform::comm::testing
