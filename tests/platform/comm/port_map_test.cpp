// comlink-ports' map and unmap on a temporary folder, read back as the comm layer reads it.
#include "comlink-ports/port_map.h"
#include "platform/comm/com_name.h"
#include "scoped_env.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace tools::ports {
namespace {

using test_support::ScopedEnv;
using test_support::TempFolder;

TEST(PortMap, MapReplacesAndUnmapRemovesWhatTheCommLayerResolves) {
    TempFolder temp;
    std::filesystem::path folder = temp.path() / "ports";
    ScopedEnv ports("COMLINK_PORTS", folder.string());
    ASSERT_EQ(map_folder(), folder);

    EXPECT_EQ(map_port(folder, 5, "/dev/ttyUSB0"), "");
    EXPECT_EQ(map_port(folder, 5, "/dev/ttyUSB1"), "") << "an existing entry is replaced";
    EXPECT_EQ(map_port(folder, 12, "/dev/ttyACM0"), "");
    auto entries = read_map(folder);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].com_number, 5);
    EXPECT_EQ(entries[0].target, "/dev/ttyUSB1");
    EXPECT_EQ(entries[1].com_number, 12);
    EXPECT_EQ(platform::comm::resolve_com_path(5), (folder / "com5").string());

    EXPECT_EQ(unmap_port(folder, 5), "");
    EXPECT_NE(unmap_port(folder, 5), "") << "nothing left to remove";
    EXPECT_EQ(platform::comm::resolve_com_path(5), "/dev/ttyS4");
    EXPECT_EQ(read_map(folder).size(), 1u);
}

TEST(PortMap, RefusesBadNumbers) {
    TempFolder temp;
    EXPECT_NE(map_port(temp.path(), 0, "/dev/ttyUSB0"), "");
    EXPECT_NE(map_port(temp.path(), 10000, "/dev/ttyUSB0"), "");
    struct Row {
        const char* text;
        int number;
    };
    for (Row row : {Row{"5", 5}, Row{"COM5", 5}, Row{"com16", 16}, Row{"0", 0}, Row{"x5", 0},
                    Row{"05", 0}, Row{"", 0}})
        EXPECT_EQ(parse_port_number(row.text), row.number) << row.text;
}

} // namespace
} // namespace tools::ports
