// Serial devices from sysfs, with USB identity where the device sits on USB.
#include "comlink-ports/serial_devices.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tools::ports {
namespace fs = std::filesystem;

namespace {

std::string read_line(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The nearest folder above the tty's device that carries a USB vendor id.
void fill_usb_identity(const fs::path& device, SerialDevice& serial) {
    std::error_code error;
    fs::path folder = fs::canonical(device, error);
    if (error)
        return;
    for (int depth = 0; depth < 8 && folder.has_relative_path(); ++depth) {
        if (fs::exists(folder / "idVendor", error)) {
            serial.usb_vendor = read_line(folder / "idVendor");
            serial.usb_product = read_line(folder / "idProduct");
            serial.manufacturer = read_line(folder / "manufacturer");
            serial.product = read_line(folder / "product");
            serial.serial_number = read_line(folder / "serial");
            return;
        }
        folder = folder.parent_path();
    }
}

} // namespace

std::vector<SerialDevice> find_serial_devices(const std::string& sys_class_tty,
                                              const std::string& by_id) {
    std::vector<SerialDevice> devices;
    std::error_code error;
    for (const fs::directory_entry& item : fs::directory_iterator(sys_class_tty, error)) {
        fs::path device = item.path() / "device";
        if (!fs::exists(device, error))
            continue;
        std::string name = item.path().filename().string();
        // Every ttyS has a device link; type 0 means no UART answers behind it.
        if (name.rfind("ttyS", 0) == 0 && read_line(item.path() / "type") == "0")
            continue;
        SerialDevice serial;
        serial.node = "/dev/" + name;
        serial.driver = fs::read_symlink(device / "driver", error).filename().string();
        fill_usb_identity(device, serial);
        devices.push_back(serial);
    }
    for (const fs::directory_entry& link : fs::directory_iterator(by_id, error)) {
        fs::path target = fs::weakly_canonical(link.path(), error);
        for (SerialDevice& serial : devices) {
            if (serial.node == target.string())
                serial.by_id.push_back(link.path().string());
        }
    }
    std::sort(devices.begin(), devices.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return a.node < b.node; });
    return devices;
}

} // namespace tools::ports
