// COM names and the order in which a COM number is looked up.
#include "mapped_pty.h"
#include "platform/comm/com_name.h"
#include "platform/comm/virtual_device.h"

#include <gtest/gtest.h>

#include <fstream>

namespace platform::comm {
namespace {

using test_support::ScopedEnv;
using test_support::TempFolder;

TEST(ComName, ParsesDeviceAndPlainNames) {
    struct Row {
        const char* name;
        int number;
    };
    const Row rows[] = {
        {"\\\\.\\COM5", 5}, {"COM1", 1},  {"com16", 16},     {"\\\\.\\COM256", 256},
        {"COM0", 0},        {"COM05", 0}, {"COM", 0},        {"COM5x", 0},
        {"LPT1", 0},        {"COM-1", 0}, {"\\\\.\\COM", 0}, {"/dev/ttyS0", 0},
        {"COM99999", 0},    {"", 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(parse_com_name(row.name), row.number) << row.name;
}

TEST(ComName, ResolvesPortsFolderThenHomeThenTtyS) {
    TempFolder ports;
    TempFolder home;
    std::filesystem::path home_ports = home.path() / ".config/comlink/ports";
    std::filesystem::create_directories(home_ports);
    std::filesystem::create_symlink("/dev/ttyUSB0", ports.path() / "com5");
    std::filesystem::create_symlink("/dev/ttyUSB1", home_ports / "com5");
    std::filesystem::create_symlink("/dev/ttyUSB2", home_ports / "com6");
    ScopedEnv set_home("HOME", home.path().string());

    {
        ScopedEnv set_ports("COMLINK_PORTS", ports.path().string());
        EXPECT_EQ(resolve_com_path(5), (ports.path() / "com5").string());
        EXPECT_EQ(resolve_com_path(6), (home_ports / "com6").string());
        EXPECT_EQ(resolve_com_path(7), "/dev/ttyS6");
    }
    ScopedEnv no_ports("COMLINK_PORTS", std::nullopt);
    EXPECT_EQ(resolve_com_path(5), (home_ports / "com5").string());
    ScopedEnv no_home("HOME", std::nullopt);
    EXPECT_EQ(resolve_com_path(5), "/dev/ttyS4");
    EXPECT_EQ(resolve_com_path(1), "/dev/ttyS0");
}

TEST(ComName, VirtualPortComesBeforeAnyTty) {
    test_support::MappedPty pty(41);
    auto device = install_virtual_port(41);
    HANDLE handle = pty.open();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(device->is_open());
    CloseHandle(handle);
    remove_virtual_port(41);
    handle = pty.open();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(device->is_open());
    CloseHandle(handle);
}

} // namespace
} // namespace platform::comm
