#include "platform/windows/port_driver.h"

#include <string>

namespace qvt::windows {
namespace {

constexpr DWORD kWriteControlCode = 0x9C402008;
constexpr DWORD kReadControlCode = 0x9C402004;
constexpr const char* kDeviceName = "\\\\.\\hwinterface";
constexpr const char* kServiceName = "hwinterface";

HANDLE OpenDevice() {
    return CreateFileA(kDeviceName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

HANDLE DriverHandle = INVALID_HANDLE_VALUE;

int OpenPortDriver() {
    DriverHandle = OpenDevice();
    if (DriverHandle != INVALID_HANDLE_VALUE)
        return 0;
    if (StartPortDriver() == 0) {
        DriverHandle = OpenDevice();
    } else {
        InstallPortDriver();
        StartPortDriver();
        DriverHandle = OpenDevice();
    }
    return 1;
}

int StartPortDriver() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager) {
        if (GetLastError() != ERROR_ACCESS_DENIED)
            return 1;
        // Reduced rights: a service that exists may still be started.
        manager = OpenSCManagerA(nullptr, nullptr, GENERIC_READ);
        if (!manager)
            return 1;
        SC_HANDLE service = OpenServiceA(manager, kServiceName, GENERIC_EXECUTE);
        int result = 1;
        if (service && !StartServiceA(service, 0, nullptr)) {
            CloseServiceHandle(service);
            result = 4;
        }
        return result;
    }
    SC_HANDLE service = OpenServiceA(manager, kServiceName, GENERIC_EXECUTE);
    if (!service)
        return 1;
    const BOOL started = StartServiceA(service, 0, nullptr);
    CloseServiceHandle(service);
    return started ? 0 : 3;
}

int InstallPortDriver() {
    char systemDirectory[260] = {};
    GetSystemDirectoryA(systemDirectory, sizeof systemDirectory);

    // A driver image shipped among the program's resources is copied into the
    // system's driver folder; without one the driver must already be there.
    if (HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(101), "bin")) {
        if (HGLOBAL loaded = LoadResource(nullptr, resource)) {
            if (void* bytes = LockResource(loaded)) {
                const std::string path =
                    std::string(systemDirectory) + "\\Drivers\\hwinterface.sys";
                HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
                DWORD written = 0;
                WriteFile(file, bytes, SizeofResource(nullptr, resource), &written, nullptr);
                CloseHandle(file);
            }
        }
    }

    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager)
        return GetLastError() == ERROR_ACCESS_DENIED ? 5 : 0;
    SC_HANDLE service = CreateServiceA(manager, kServiceName, kServiceName, SERVICE_ALL_ACCESS,
                                       SERVICE_KERNEL_DRIVER, SERVICE_SYSTEM_START,
                                       SERVICE_ERROR_NORMAL, "System32\\Drivers\\hwinterface.sys",
                                       nullptr, nullptr, nullptr, nullptr, nullptr);
    if (service)
        CloseServiceHandle(service);  // an existing service is simply kept
    CloseServiceHandle(manager);
    return 0;
}

void ClosePortDriver() {
    CloseHandle(DriverHandle);
}

void DriverPortWrite(std::uint16_t port, std::uint8_t value) {
    unsigned char buffer[3] = {static_cast<unsigned char>(port & 0xFF),
                               static_cast<unsigned char>(port >> 8), value};
    DWORD returned = 0;
    DeviceIoControl(DriverHandle, kWriteControlCode, buffer, 3, nullptr, 0, &returned, nullptr);
}

std::uint8_t DriverPortRead(std::uint16_t port) {
    unsigned char buffer[2] = {static_cast<unsigned char>(port & 0xFF),
                               static_cast<unsigned char>(port >> 8)};
    DWORD returned = 0;
    DeviceIoControl(DriverHandle, kReadControlCode, buffer, 2, buffer, 1, &returned, nullptr);
    return buffer[0];
}

}  // namespace qvt::windows
