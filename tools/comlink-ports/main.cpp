// comlink-ports: lists serial devices, shows the COM map, maps and unmaps COM numbers.
#include "comlink-ports/port_map.h"
#include "comlink-ports/serial_devices.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* k_usage =
    "usage: comlink-ports              list serial devices and the COM map\n"
    "       comlink-ports map N DEVICE  make COMN open DEVICE\n"
    "       comlink-ports unmap N       remove the entry of COMN\n";

void list_devices() {
    std::printf("Serial devices:\n");
    auto devices = tools::ports::find_serial_devices();
    if (devices.empty())
        std::printf("  none found\n");
    for (const auto& device : devices) {
        std::printf("  %s", device.node.c_str());
        if (!device.driver.empty())
            std::printf("  driver %s", device.driver.c_str());
        if (!device.usb_vendor.empty())
            std::printf("  usb %s:%s", device.usb_vendor.c_str(), device.usb_product.c_str());
        if (!device.manufacturer.empty() || !device.product.empty())
            std::printf("  %s %s", device.manufacturer.c_str(), device.product.c_str());
        if (!device.serial_number.empty())
            std::printf("  serial %s", device.serial_number.c_str());
        std::printf("\n");
        for (const auto& link : device.by_id)
            std::printf("    %s\n", link.c_str());
    }
}

void list_map(const std::filesystem::path& folder) {
    std::printf("COM map (%s):\n", folder.empty() ? "no folder" : folder.c_str());
    auto entries = tools::ports::read_map(folder);
    if (entries.empty())
        std::printf("  empty; unmapped COMn opens /dev/ttyS<n-1>\n");
    for (const auto& entry : entries) {
        std::printf("  COM%d -> %s\n", entry.com_number,
                    entry.target.empty() ? entry.entry.c_str() : entry.target.c_str());
    }
}

int fail(const std::string& message) {
    std::fprintf(stderr, "comlink-ports: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path folder = tools::ports::map_folder();
    std::string command = argc > 1 ? argv[1] : "";
    if (argc == 1 || command == "list") {
        list_devices();
        list_map(folder);
        return 0;
    }
    if (folder.empty())
        return fail("set COMLINK_PORTS or HOME to name the map folder");
    if (command == "map" && argc == 4) {
        std::string error =
            tools::ports::map_port(folder, tools::ports::parse_port_number(argv[2]), argv[3]);
        return error.empty() ? 0 : fail(error);
    }
    if (command == "unmap" && argc == 3) {
        std::string error =
            tools::ports::unmap_port(folder, tools::ports::parse_port_number(argv[2]));
        return error.empty() ? 0 : fail(error);
    }
    std::fputs(k_usage, stderr);
    return 2;
}
