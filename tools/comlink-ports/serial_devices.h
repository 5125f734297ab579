// The serial devices of this machine, as sysfs and /dev/serial/by-id show them.
#pragma once

#include <string>
#include <vector>

namespace tools::ports {

struct SerialDevice {
    std::string node;        // /dev/ttyUSB0
    std::string driver;      // ftdi_sio, serial8250, ...
    std::string usb_vendor;  // idVendor, empty for a device not on USB
    std::string usb_product; // idProduct
    std::string manufacturer;
    std::string product;
    std::string serial_number;
    std::vector<std::string> by_id; // /dev/serial/by-id links naming this node
};

// Reads /sys/class/tty (entries with a device link; ttyS ports without a UART left out) and
// /dev/serial/by-id. The roots are parameters so that tests can point them elsewhere.
std::vector<SerialDevice> find_serial_devices(const std::string& sys_class_tty = "/sys/class/tty",
                                              const std::string& by_id = "/dev/serial/by-id");

} // namespace tools::ports
