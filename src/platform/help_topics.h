#pragma once

// The help topics by their context numbers. The numbers are the ones the help
// pages are written for (help/topics.py makes topic-N.html from them) and the
// ones F1 and the "&Hilfe" buttons ask for, so they never change.
namespace qvt::help::topic {

inline constexpr int kDeviceFamilyChoice = 0;  // also the menu items without a topic
inline constexpr int kInfoMenu = 1;
inline constexpr int kFileMenu = 2;
inline constexpr int kParameterMenu = 3;
inline constexpr int kSettingsMenu = 4;

inline constexpr int kNewParameterSet = 21;
inline constexpr int kLoadParameterFile = 22;
inline constexpr int kSaveParameterFile = 23;
inline constexpr int kSaveParameterFileAs = 24;
inline constexpr int kSendParameters = 25;
inline constexpr int kExit = 26;

inline constexpr int kFunctionChoice = 31;  // with the measuring range and Pt100 dialogs
inline constexpr int kDisplay = 32;
inline constexpr int kSwitchingPoints = 33;
inline constexpr int kDeviceSerialPort = 34;
inline constexpr int kRealTimeClock = 35;
inline constexpr int kExpansionCard = 36;
inline constexpr int kSpecialFunctions = 37;

inline constexpr int kDeviceType = 41;
inline constexpr int kPrinting = 42;
inline constexpr int kClearPrintPage = 43;
inline constexpr int kShowTelegrams = 44;
inline constexpr int kPcSerialPort = 45;
inline constexpr int kLogToFile = 46;

inline constexpr int kProgramming = 50;  // the programming menu and its port dialog
inline constexpr int kValueTrend = 61;

}  // namespace qvt::help::topic
