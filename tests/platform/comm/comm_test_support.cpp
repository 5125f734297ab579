// Temporary folders, environment scopes and mapped ptys for the comm tests.
#include "comm_test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace platform::comm::testing {

TempFolder::TempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/comm-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        ADD_FAILURE() << "mkdtemp failed for " << pattern;
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

ScopedEnv::ScopedEnv(const char* name, std::optional<std::string> value) : m_name(name) {
    if (const char* previous = std::getenv(name))
        m_previous = previous;
    if (value)
        ::setenv(name, value->c_str(), 1);
    else
        ::unsetenv(name);
}

ScopedEnv::~ScopedEnv() {
    if (m_previous)
        ::setenv(m_name.c_str(), m_previous->c_str(), 1);
    else
        ::unsetenv(m_name.c_str());
}

MappedPty::MappedPty(int com_number) : m_com_number(com_number) {
    if (::openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0) {
        ADD_FAILURE() << "openpty failed";
        return;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_slave_path = ::ttyname(m_slave);
    std::filesystem::create_symlink(m_slave_path,
                                    m_folder.path() / ("com" + std::to_string(com_number)));
    m_env.emplace("COMLINK_PORTS", m_folder.path().string());
}

MappedPty::~MappedPty() {
    close_master();
    if (m_slave >= 0)
        ::close(m_slave);
}

void MappedPty::close_master() {
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

HANDLE MappedPty::open() const {
    return open_com(m_com_number);
}

HANDLE open_com(int com_number) {
    std::string name = "\\\\.\\COM" + std::to_string(com_number);
    return CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_FLAG_OVERLAPPED, nullptr);
}

} // namespace platform::comm::testing
