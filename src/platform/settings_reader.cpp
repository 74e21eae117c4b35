#include "platform/settings_reader.h"

#include <QSettings>
#include <filesystem>

namespace qvt {
namespace {

void ReadString(const QSettings& ini, const char* key, std::string& target) {
    const QVariant value = ini.value(key);
    if (value.isValid() && !value.toString().isEmpty())
        target = value.toString().toStdString();
}

// A pin map written out without quotes, "mosi=0,sck=1,rst=3,miso=2", is a
// list to QSettings; it is one text to us.
void ReadPinMap(const QSettings& ini, const char* key, std::string& target) {
    const QVariant value = ini.value(key);
    const QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(',')
                                                                  : value.toString();
    if (!text.isEmpty())
        target = text.toStdString();
}

}  // namespace

PlatformSettings ReadPlatformSettings(const QString& path) {
    PlatformSettings s;
    std::error_code error;
    const std::filesystem::path file(path.toStdString());
    if (!std::filesystem::is_regular_file(file, error) ||
        std::filesystem::file_size(file, error) > kLargestSettingsFile)
        return s;
    const QSettings ini(path, QSettings::IniFormat);

    for (int i = 0; i < 6; ++i) {
        ReadString(ini, QString("serial/COM%1").arg(i + 1).toUtf8().constData(),
                   s.serialDevices[i]);
    }

    std::string access;
    ReadString(ini, "parallel/access", access);
    s.parallelAccess = ParseParallelAccess(access).value_or(s.parallelAccess);
    ReadString(ini, "parallel/port378", s.ppdevFor378);
    ReadString(ini, "parallel/port278", s.ppdevFor278);
    ReadString(ini, "parallel/trace", s.portTraceFile);

    std::string cableType;
    ReadString(ini, "cable/type", cableType);
    s.cable.type = ParseCableType(cableType).value_or(s.cable.type);
    ReadString(ini, "cable/device", s.cable.device);
    ReadPinMap(ini, "cable/pins", s.cable.pins);
    s.cable.emulated = ini.value("cable/emulated").toString().trimmed().toLower() == "yes";
    s.cable = WithDefaults(s.cable);

    bool ok = false;
    const int chipNumber = ini.value("emulator/chip").toInt(&ok);
    if (ok)
        s.emulatedChip = ChipFromNumber(chipNumber).value_or(s.emulatedChip);
    ReadString(ini, "emulator/code", s.emulatedCodeFile);
    ReadString(ini, "emulator/data", s.emulatedDataFile);
    ReadString(ini, "emulator/locked", s.emulatedLockFile);

    s.programmingMenuVisible =
        ini.value("programming/menu").toString().trimmed().toLower() == "visible";
    return s;
}

}  // namespace qvt
