#pragma once

#include <array>
#include <ctime>
#include <string>

#include "core/application_state.h"
#include "core/parameter_choices.h"
#include "core/parameter_record.h"

namespace qvt {

// What each dialog shows and what the user commits with "OK", as plain
// values: choices, flags and the texts as the record's single-byte
// characters. The ...Of functions fill them from the record (or the PC-side
// state); Commit writes what the user committed back, coded as the device
// type at that moment wants it.

struct DisplayValues {  // "Anzeige"
    DecimalPoint point = DecimalPoint::kNone;
    Rounding rounding = Rounding::kNormal;
    bool divideBy10 = false;
    bool displayReception = false;
    std::string averageCount;
    std::string unitText;
    bool operator==(const DisplayValues&) const = default;
};

struct SwitchingPoint {
    std::string setpoint;
    std::string hysteresis;
    std::string delay;
    bool relayNC = false;
    bool active = false;
    bool operator==(const SwitchingPoint&) const = default;
};
struct SwitchingPointValues {  // "Schaltpunkte"
    std::array<SwitchingPoint, 2> points;
    bool operator==(const SwitchingPointValues&) const = default;
};

struct RangeValues {  // "Messbereich"
    std::string measStart;
    std::string displayStart;
    std::string measEnd;
    std::string displayEnd;
    bool totalQuantity = false;  // "Funktion aktivieren (Gesamtmenge)"
    bool operator==(const RangeValues&) const = default;
};

struct SensorValues {  // "Pt-Funktionswahl"
    int sensor = 0;    // 0..3: Pt100 range 1, Pt100 range 2, Pt1000 range 1, Pt1000 range 2
    bool operator==(const SensorValues&) const = default;
};

struct FunctionValues {   // "Funktionswahl": where "OK" goes on to
    bool sensor = false;  // "Temperaturbereich Pt100x", else the measuring range
    bool operator==(const FunctionValues&) const = default;
};

struct SioValues {  // "Serielle Schnittstelle QVT410"
    int baud = 5;   // 0..6 = 150 .. 9600 baud
    SioSending sending = SioSending::kPassive;
    std::string sendCycle;
    bool operator==(const SioValues&) const = default;
};

struct ClockValues {  // "Echtzeituhr - RTC"
    std::string minute;
    std::string hour;
    std::string day;
    std::string month;
    std::string year;
    int weekday = 1;  // 0 Sunday .. 6 Saturday; -1 none chosen
    bool automatic = false;
    bool operator==(const ClockValues&) const = default;
};

struct CardValues {  // "Erweiterungskarte"
    int card = 0;    // 0 analogue output, 1 serial interface and clock, 2 none
    bool operator==(const CardValues&) const = default;
};

struct MiscValues {  // "Sonderfunktionen"
    std::string encoderPulses;
    bool showsTime = false;
    bool countsBackwards = false;
    bool operator==(const MiscValues&) const = default;
};

struct FamilyValues {        // "Gerätewahl"
    bool mainFamily = true;  // QVT410, else QVT0xx
    bool operator==(const FamilyValues&) const = default;
};

struct PcPortValues {  // "Serielle Schnittstelle PC"
    int port = 1;      // 0..5 = COM1..COM6
    int baud = 4;      // 0..5 = 300 .. 9600 baud; -1 none chosen
    bool operator==(const PcPortValues&) const = default;
};

struct ParallelPortValues {  // "Programmierschnittstelle"
    int port = 0;            // 0..2 = LPT1..LPT3
    bool operator==(const ParallelPortValues&) const = default;
};

DisplayValues DisplayValuesOf(const ParameterRecord& record);
SwitchingPointValues SwitchingPointValuesOf(const ParameterRecord& record);
RangeValues RangeValuesOf(const ParameterRecord& record);
SensorValues SensorValuesOf(const ParameterRecord& record);
SioValues SioValuesOf(const ParameterRecord& record);
ClockValues ClockValuesOf(const ParameterRecord& record);
CardValues CardValuesOf(const ParameterRecord& record);
MiscValues MiscValuesOf(const ParameterRecord& record);
FamilyValues FamilyValuesOf(const ParameterRecord& record);
PcPortValues PcPortValuesOf(const ApplicationState& state);
ParallelPortValues ParallelPortValuesOf(const ApplicationState& state);

void Commit(const DisplayValues& values, ParameterRecord& record);
void Commit(const SwitchingPointValues& values, ParameterRecord& record);
void Commit(const RangeValues& values, ParameterRecord& record);
void Commit(const SensorValues& values, ParameterRecord& record);
void Commit(const SioValues& values, ParameterRecord& record);
void Commit(const ClockValues& values, ParameterRecord& record);
void Commit(const CardValues& values, ParameterRecord& record);
void Commit(const MiscValues& values, ParameterRecord& record);
void Commit(const FamilyValues& values, ParameterRecord& record);
void Commit(const PcPortValues& values, ApplicationState& state);
void Commit(const ParallelPortValues& values, ApplicationState& state);

// The PC's local date and time as the clock fields take it with automatic
// time: each number as decimal text, a single digit with a leading '0'.
void TakePcTime(const std::tm& local, ParameterRecord& record);

}  // namespace qvt
