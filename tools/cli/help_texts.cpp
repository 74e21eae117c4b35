#include "help_texts.h"

#include <map>

namespace cli {
namespace {

const char* const kProgram =
    "Aufruf: qvt410-cli [--dir ORDNER] [--port COMn|PFAD] [--baud RATE] BEFEHL [Optionen]\n"
    "Parametrieren, Überwachen und Programmieren von QVT-Anzeigen ohne Fenster.\n"
    "\n"
    "  --dir ORDNER    Arbeitsordner mit QVT410.CFG und QVT410.INI (Vorgabe: aktueller)\n"
    "  --port PORT     COM1..COM6 (über QVT410.INI zugeordnet) oder ein Gerätepfad\n"
    "  --baud RATE     Baudrate statt der aus QVT410.CFG\n"
    "  --help          diese Hilfe; BEFEHL --help zeigt die Hilfe des Befehls\n"
    "  --version       die Version\n"
    "\n"
    "Befehle:\n"
    "  send DATEI.QVC [--karte K]  Parameter senden wie „Senden“\n"
    "  test WERT [--point N]   Testwert senden wie „TEST“ in „Anzeige“\n"
    "  monitor                 Telegramme mit Zeit und Messwert ausgeben\n"
    "  program                 den Baustein programmieren\n"
    "  erase                   den Baustein löschen\n"
    "  cables                  die gefundenen FTDI-Adapter und GPIO-Chips\n"
    "  show DATEI.QVC          alle Parameter einer Datei zeigen\n"
    "  diff A.QVC B.QVC        die Parameter, die sich unterscheiden\n"
    "  variants                die Firmware-Varianten des Katalogs\n"
    "  hex DATEI.HEX           Adressbereiche einer Firmware-Datei\n"
    "\n"
    "Rückgabewerte:\n"
    "  0    Erfolg, bei diff: kein Unterschied\n"
    "  1    falscher Aufruf, bei diff: Unterschied gefunden\n"
    "  2    das Gerät antwortete nicht mit 0x06\n"
    "  3    keine Antwort in der Wartezeit, oder --count nicht in --seconds erreicht\n"
    "  4    Programmieren oder Löschen fehlgeschlagen\n"
    "  5    eine Datei fehlt, ist nicht lesbar oder fehlerhaft\n"
    "  6    die Schnittstelle lässt sich nicht öffnen oder ist belegt\n"
    "  7    monitor --log: die Protokolldatei ließ sich nicht (ganz) schreiben\n"
    "  130  mit Strg+C abgebrochen (nach den Schlussschritten)\n";

const std::map<std::string, std::string>& CommandHelp() {
    static const std::map<std::string, std::string> kTexts = {
        {"send",
         "Aufruf: qvt410-cli send DATEI.QVC [--karte K]\n"
         "Sendet den Parametersatz der Datei wie „Senden“: Datensatz und Gerätetyp der\n"
         "Datei, Datum und Uhrzeit des PCs, dieselbe Wartezeit auf die Antwort. Werte,\n"
         "die das Gerät nicht darstellen kann, werden abgewiesen (Rückgabewert 5).\n"
         "  --karte K   die Erweiterungskarte, die die Datei nicht enthält: 0 Analogausgang\n"
         "              (410-204), 1 SIO/RTC (410-232), 2 keine; Vorgabe 1 wie beim Start\n"
         "              des Programms\n"},
        {"test",
         "Aufruf: qvt410-cli test WERT [--point N]\n"
         "Sendet einen Testwert an die Anzeige wie „TEST“ in „Anzeige“. WERT ist die\n"
         "Zahl, wie sie geschrieben ist, 0 bis 3999 in 1 bis 4 Ziffern: „test 12“ sendet\n"
         "12 (im Dialog ergäbe eine linksbündige 12 den Wert 1200), „test 1200“ sendet\n"
         "1200. Alles andere ist ein falscher Aufruf (Rückgabewert 1).\n"
         "  --point N   Dezimalpunkt: 0 keiner, 1 X.XXX, 2 XX.XX, 3 XXX.X\n"
         "              (test 1234 --point 2 zeigt 12.34)\n"},
        {"monitor",
         "Aufruf: qvt410-cli monitor [--count N] [--seconds S] [--format text|csv|jsonl]\n"
         "                          [--output DATEI] [--log]\n"
         "Gibt jedes Telegramm mit der Ortszeit (ISO 8601, Millisekunden) und dem\n"
         "Messwert als Zahl aus (leer bzw. null, wenn das Feld keine Zahl enthält).\n"
         "  --count N     nach N Telegrammen enden\n"
         "  --seconds S   nach S Sekunden enden (mit --count: Rückgabewert 3, wenn zu wenige)\n"
         "  --format F    text (Vorgabe), csv (Kopfzeile time,value,unit,text) oder jsonl\n"
         "  --output D    in die Datei D statt auf die Standardausgabe\n"
         "  --log         zusätzlich die Protokolldatei TTMMJJ_A.QVT wie das Programm;\n"
         "                mit --count enthält sie genau die ausgegebenen Telegramme\n"
         "Strg+C beendet die Überwachung. Lässt sich die Protokolldatei nicht schreiben,\n"
         "endet die Überwachung sofort mit Rückgabewert 7; scheitert erst das Sichern am\n"
         "Ende, ist der Rückgabewert 7 statt 0.\n"},
        {"program",
         "Aufruf: qvt410-cli program (--variant NAME | --code DATEI.HEX [--data DATEI.HEX])\n"
         "                          [--chip 8252|8253] [--network] [--access MODUS]\n"
         "                          [--cable KABEL] [--force]\n"
         "Programmiert den Baustein mit demselben Ablauf wie das Menü „Programmieren“.\n"
         "  --variant NAME  Katalogeintrag nach Namen (QVT410PT2) oder Beschriftung\n"
         "                  (QVT410-050 P&T oder QVT410-050 PT), Groß-/Kleinschreibung egal;\n"
         "                  nur Einträge, die das Menü zeigt (nicht die -025 der Familien\n"
         "                  430 bis 460, mit --network nicht QVT410-025 und QVT420-025)\n"
         "  --force         auch einen Eintrag, den das Menü nicht zeigt\n"
         "  --code DATEI    Programmdatei; --data DATEI Datendatei\n"
         "  --chip TYP      8252 oder 8253 (Vorgabe 8253)\n"
         "  --network       Netzwerkgerät (Dateien mit N statt E)\n"
         "  --access MODUS  auto, ppdev, direct, emulated oder none statt QVT410.INI\n"
         "  --cable KABEL   das Programmierkabel statt [cable] in QVT410.INI:\n"
         "                  parallel, ftdi[:GERÄT[:PINS]] oder gpio[:GERÄT[:PINS]],\n"
         "                  emulated-ftdi[...] oder emulated-gpio[...] zur Probe ohne Gerät.\n"
         "                  GERÄT: Seriennummer oder USB-Adresse usb:BUS:GERÄT eines FTDI-\n"
         "                  Adapters (leer: der eine vorhandene), gpiochipN (Vorgabe gpiochip0).\n"
         "                  PINS: ft232r (Vorgabe bei ftdi), ft232h, raspberrypi (Vorgabe bei\n"
         "                  gpio) oder ausgeschrieben wie mosi=0,sck=1,rst=~3,miso=2 (~ "
         "invertiert).\n"
         "                  Das letzte Feld ist PINS, wenn es ein solcher Name ist oder ein „=“\n"
         "                  enthält: ftdi:usb:001:004:ft232h, ftdi::ft232h\n"
         "Für die Familie 470 startet es XPG.EXE zweimal wie das Menü; scheitert der\n"
         "zweite Lauf (Gerät starten) oder startet er nicht, ist der Rückgabewert 4.\n"
         "Auf einem Terminal erscheint ein Fortschrittsbalken, sonst eine Zeile je Schritt.\n"
         "Strg+C bricht ab wie ESC; die Schlussschritte laufen noch (Rückgabewert 130).\n"},
        {"erase",
         "Aufruf: qvt410-cli erase [--chip 8252|8253] [--access MODUS] [--cable KABEL]\n"
         "Löscht Programm- und Datenspeicher des Bausteins.\n"
         "  --cable KABEL   das Programmierkabel wie bei program (program --help)\n"},
        {"cables",
         "Aufruf: qvt410-cli cables\n"
         "Listet die gefundenen FTDI-Adapter und GPIO-Chips, einen je Zeile, die Felder\n"
         "durch Tabulatoren getrennt: Typ (ftdi, gpio), Gerät (wie es --cable und [cable]\n"
         "device= nehmen), Beschreibung, und warum es sich nicht nutzen lässt (leer, wenn\n"
         "es sich nutzen lässt). Ohne Fund ist die Ausgabe leer (Hinweis auf stderr).\n"},
        {"show",
         "Aufruf: qvt410-cli show DATEI.QVC [--json]\n"
         "Zeigt jeden Parameter mit der Bezeichnung seines Dialogs, dem gespeicherten\n"
         "Wert und seiner Bedeutung für den Gerätetyp der Datei.\n"},
        {"diff",
         "Aufruf: qvt410-cli diff A.QVC B.QVC [--json]\n"
         "Zeigt die Parameter, die sich unterscheiden (Rückgabewert 1, wenn es welche gibt).\n"},
        {"variants",
         "Aufruf: qvt410-cli variants [--json]\n"
         "Listet den Firmware-Katalog: Name, Beschriftung, Regeln, Dateien je Ausführung.\n"},
        {"hex",
         "Aufruf: qvt410-cli hex DATEI.HEX [--chip 8252|8253]\n"
         "Zeigt Adressbereiche und Byteanzahl einer Firmware-Datei und ob sie in die\n"
         "Speicher des Bausteins passt.\n"},
    };
    return kTexts;
}

}  // namespace

std::string HelpText(const std::string& command) {
    const auto& texts = CommandHelp();
    const auto it = texts.find(command);
    return it == texts.end() ? kProgram : it->second;
}

}  // namespace cli
