#include "session.h"

#include <cstdio>
#include <filesystem>
#include <optional>

#include "exit_code.h"
#include "platform/files/config_file_access.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/serial_devices.h"
#include "platform/settings_reader.h"

namespace cli {
namespace {

std::filesystem::path& StartFolder() {
    static std::filesystem::path folder = std::filesystem::current_path();
    return folder;
}

// "COM1".."COM6" in any letter case: the port index, else nothing.
std::optional<int> PortIndexOf(const std::string& name) {
    if (name.size() != 4 || (name[0] | 0x20) != 'c' || (name[1] | 0x20) != 'o' ||
        (name[2] | 0x20) != 'm' || name[3] < '1' || name[3] > '6') {
        return std::nullopt;
    }
    return name[3] - '1';
}

}  // namespace

std::string FromStartFolder(const std::string& path) {
    return (StartFolder() / path).lexically_normal().string();
}

int OpenSession(const Invocation& call, Session& session) {
    StartFolder();
    if (!call.dir.empty()) {
        std::error_code error;
        std::filesystem::current_path(call.dir, error);
        if (error) {
            std::fprintf(stderr, "qvt410-cli: Arbeitsordner %s: %s\n", call.dir.c_str(),
                         error.message().c_str());
            return kBadFile;
        }
    }
    const std::optional<qvt::ConfigValues> config =
        qvt::ReadConfigurationFileOnly(qvt::kConfigFileName);
    if (!config) {
        std::fprintf(stderr, "qvt410-cli: Kein Zugriff auf %s\n", qvt::kConfigFileName);
        return kBadFile;
    }
    qvt::ApplyConfiguration(*config, session.state);
    session.settings = qvt::ReadPlatformSettings();
    session.serial = qvt::SerialTargetFor(session.state, session.settings);
    if (!call.port.empty()) {
        if (const std::optional<int> index = PortIndexOf(call.port)) {
            session.state.portIndex = static_cast<std::uint8_t>(*index);
            session.serial = qvt::SerialTargetFor(session.state, session.settings);
        } else {
            session.serial.portName = call.port;
            session.serial.device = call.port;
        }
    }
    if (call.baud)
        session.serial.baudRate = *call.baud;
    return kSuccess;
}

std::unique_ptr<qvt::SerialPort> OpenSerialPort(const Session& session) {
    std::unique_ptr<qvt::SerialPort> port = qvt::MakeQtSerialPort();
    const qvt::SerialTarget& target = session.serial;
    if (port->Open(target.device, target.baudRate))
        return port;
    std::string why = qvt::SerialDeviceProblem(target.device);
    if (why.empty())
        why = target.device + " ist belegt";
    if (target.portName == target.device)
        std::fprintf(stderr, "qvt410-cli: %s\n", why.c_str());
    else
        std::fprintf(stderr, "qvt410-cli: %s: %s\n", target.portName.c_str(), why.c_str());
    return nullptr;
}

}  // namespace cli
