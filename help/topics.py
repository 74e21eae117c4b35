#!/usr/bin/env python3
"""Writes the German help pages of QVT410 (one per help context number), the
contents page and the keyword index, and the resource list help.qrc.
Run it after changing a topic: python3 help/topics.py
The program names these numbers in src/platform/help_topics.h."""
import html, os

HERE = os.path.dirname(os.path.abspath(__file__))

# What "Neu", "Laden..." and "Beenden" do with edits that were not saved.
ASK_BEFORE_DISCARDING = ("Haben Sie den Parametersatz geändert, seit er geladen, gespeichert oder mit <b>Neu</b> angelegt wurde, fragt das Programm vorher <i>Änderungen an &lt;Datei&gt; speichern?</i> "
   "(bei einem Satz ohne Datei <i>Leer</i>): <b>Ja</b> speichert ihn (ohne Datei wird nach einem Namen gefragt), <b>Nein</b> verwirft die Änderungen, <b>Abbrechen</b> bricht den Befehl ab. "
   "Kann nicht gespeichert werden oder brechen Sie die Namenswahl ab, wird der Befehl ebenfalls abgebrochen. "
   "Als Änderung zählt nur, was die Parameterdatei speichert; die Uhrzeit, die der Dialog <a href='topic-35.html'>Echtzeituhr</a> mit <i>Automatisch</i> selbst vom PC übernimmt, zählt nicht.")

# Dialogs that stay open show the new set after "Neu" or "Laden...".
OPEN_DIALOGS_REFILLED = ("Parameterdialoge, die dabei offen sind, zeigen danach die Werte des neuen Satzes, so dass ihr <b>OK</b> keine alten Werte zurückschreibt; "
   "das gilt auch für <i>Messbereich</i> und <i>Pt-Funktionswahl</i>, zu denen eine offene <i>Funktionswahl</i> führt. Die Einstellungen des PCs (etwa seine Baudrate unter <b>PC-SIO...</b>) bleiben, wie sie sind.")

# context: (title, [paragraphs], [index keywords])
TOPICS = {
 0: ("Gerätewahl", [
   "Nach <b>Datei &gt; Neu</b> sind alle Parameter auf ihre Grundwerte zurückgesetzt. Wählen Sie hier die Gerätefamilie, deren Parameter Sie bearbeiten wollen:",
   "<b>QVT410 (Spannung, Strom, Temperatur)</b> für die Geräte QVT010/020/030/050/060, <b>QVT0xx (Frequenz, Drehzahl, Zähler, Durchfluß)</b> für QVT070/075/080/085.",
   "Das Uhrengerät QVT055 wählen Sie über <b>Einstellungen &gt; Gerätetyp... &gt; QVT055 (PT100Uhr)</b>.",
   "Einige Parameter (Dezimalpunkt, Rundung, Betriebsart der Schnittstelle) werden je nach Gerätefamilie verschieden codiert. Wählen Sie die Familie daher, bevor Sie Parameter eingeben.",
   "Die hier gewählte Familie gehört zum neuen Satz: Ändern Sie danach nichts, fragen <b>Neu</b>, <b>Laden...</b> und <b>Beenden</b> nicht nach dem Speichern."],
   ["Gerätewahl", "Gerätefamilie", "Neu"]),
 1: ("Menü Info", [
   "<b>Info</b> zeigt Programmname und Version.",
   "<b>Beenden</b> schließt das Programm, wie <a href='topic-26.html'>Datei &gt; Beenden</a> und das Schließen des Fensters. Die serielle Schnittstelle wird in ihren vorherigen Zustand zurückgesetzt, eine offene Protokolldatei geschlossen.",
   ASK_BEFORE_DISCARDING],
   ["Info", "Version", "Beenden"]),
 2: ("Menü Datei", [
   "Hier verwalten Sie Parameterdateien (<tt>*.QVC</tt>) und senden den Parametersatz an das Gerät.",
   "<a href='topic-21.html'>Neu</a> · <a href='topic-22.html'>Laden...</a> · <a href='topic-23.html'>Speichern</a> · <a href='topic-24.html'>Speichern unter...</a> · <a href='topic-25.html'>Senden</a> · <a href='topic-26.html'>Beenden</a>"],
   ["Datei", "Parameterdatei"]),
 3: ("Menü Parameter", [
   "Jeder Eintrag öffnet einen Dialog für eine Gruppe von Geräteparametern. Die Dialoge bleiben offen, während Sie im Hauptfenster weiterarbeiten. <b>OK</b> übernimmt alle Felder des Dialogs in den Parametersatz, <b>Abbrechen</b> verwirft die Eingaben.",
   "Zahlenfelder werden bei <b>OK</b> geprüft, damit das Gerät genau den eingetippten Wert erhält: erlaubt sind Ziffern, davor und dahinter Leerzeichen (die Vorzeichenstelle, wie in <tt> 0000</tt>), davor ein Pluszeichen und bei Feldern mit Vorzeichen ein Minuszeichen, beim QVT410 nur an erster Stelle. Ein leeres Feld zählt als 0. Die zulässigen Bereiche:<br>"
   "Messbereich, Schaltpunkt, Hysterese: QVT410 -1999 bis 1999, QVT0xx und QVT055 -32768 bis 32767<br>"
   "Impulse des Drehgebers (nur QVT0xx): -32768 bis 32767<br>"
   "Verzögerung: QVT410 0 bis 9999, QVT0xx und QVT055 0 bis 65535<br>"
   "Messungen für Durchschnittsbildung: 0 bis 9999<br>"
   "Sendezyklus: 0 bis 255<br>"
   "Echtzeituhr: Minuten 0 bis 59, Stunden 0 bis 23, ein Tag, den der Monat hat (der 29. Februar nur im Schaltjahr), Monat 1 bis 12, Jahr 2000 bis 2099.",
   "Passt ein Feld nicht, nennt eine Meldung jedes betroffene Feld mit seinem Text, dem falschen Zeichen und dem zulässigen Bereich, z. B. <i>Messwert Bereichsende: 2000 (zulässig -1999 bis 1999)</i> oder <i>Sendezyklus: 1x (Zeichen „x“ an Stelle 2 unzulässig; zulässig 0 bis 255)</i>. Der Dialog bleibt offen, der Cursor steht im ersten fehlerhaften Feld, und der Parametersatz bleibt unverändert.",
   "Für QVT0xx-Geräte erscheint <b>Sonstiges</b>, für die anderen Familien <b>Erweiterungskarte</b>.",
   "<a href='topic-31.html'>Funktionswahl</a> · <a href='topic-32.html'>Anzeige</a> · <a href='topic-33.html'>Schaltpunkte</a> · <a href='topic-34.html'>Serielle Schnittstelle SIO</a> · <a href='topic-35.html'>Echtzeituhr RTC</a> · <a href='topic-36.html'>Erweiterungskarte</a> · <a href='topic-37.html'>Sonstiges</a>"],
   ["Parameter", "Dialog", "Wertebereich", "Zulässig"]),
 4: ("Menü Einstellungen", [
   "Einstellungen des PCs: Gerätetyp, Drucken und Speichern der Telegramme, Anzeige des aktuellen Telegramms und die serielle Schnittstelle des PCs.",
   "<a href='topic-41.html'>Gerätetyp</a> · <a href='topic-42.html'>Drucken</a> · <a href='topic-43.html'>Druckseite löschen</a> · <a href='topic-46.html'>In Datei speichern</a> · <a href='topic-44.html'>Telegramm zeigen</a> · <a href='topic-45.html'>PC-SIO</a>"],
   ["Einstellungen"]),
 21: ("Neu", [
   "Setzt alle Geräteparameter auf ihre Grundwerte und öffnet anschließend die <a href='topic-0.html'>Gerätewahl</a>.",
   "Dabei werden auch die Einstellungen der PC-Schnittstellen im Speicher zurückgesetzt (COM2, 4800 Baud, LPT2). Wirksam werden sie erst, wenn Sie den Dialog <a href='topic-45.html'>PC-SIO</a> bzw. die Programmierschnittstelle mit OK bestätigen.",
   "Die Druckseite beginnt wieder mit Seite 1.",
   ASK_BEFORE_DISCARDING,
   OPEN_DIALOGS_REFILLED],
   ["Neu", "Grundwerte", "Zurücksetzen", "Änderungen speichern"]),
 22: ("Laden...", [
   "Lädt einen Parametersatz aus einer Parameterdatei (<tt>*.QVC</tt>, 76 Byte). Der in der Datei gespeicherte Gerätetyp wird übernommen, wie wenn Sie ihn im Menü <a href='topic-41.html'>Gerätetyp</a> gewählt hätten.",
   "Der Dateiname erscheint unten im Feld <b>Parameterdatei</b>.",
   "Eine Datei, die sich nicht lesen lässt, keine gewöhnliche Datei ist, kürzer als 76 Byte ist, einen unbekannten Gerätetyp enthält oder eine Zahl, die länger ist als ihr Feld (etwa 10000 Impulse für ein Feld mit 4 Zeichen), wird mit <i>Datei konnte nicht geladen werden</i> abgewiesen; der bisherige Parametersatz und Dateiname bleiben dann unverändert.",
   "Bei QVT0xx-Geräten wird die Rundung <i>Fünfer</i> beim Laden wieder auf den Code dieser Familie gesetzt.",
   ASK_BEFORE_DISCARDING,
   OPEN_DIALOGS_REFILLED],
   ["Laden", "Öffnen", "QVC-Datei", "Änderungen speichern"]),
 23: ("Speichern", [
   "Schreibt den Parametersatz in die zuletzt geladene oder gespeicherte Parameterdatei. Ist noch keine Datei gewählt, fragt das Programm nach einem Namen.",
   "Die Datei wird zuerst unter einem vorläufigen Namen geschrieben und erst danach umbenannt. Schlägt das Speichern fehl, bleibt die alte Datei unverändert und das Programm meldet <i>Datei konnte nicht gespeichert werden</i>.",
   "Hinweis: Die Uhrzeit, die Einstellung <i>Automatisch</i> der Uhr und die Erweiterungskarte werden nicht in der Datei gespeichert. Die Rundung <i>Fünfer</i> wird einheitlich gespeichert."],
   ["Speichern", "QVC-Datei"]),
 24: ("Speichern unter...", [
   "Wie <a href='topic-23.html'>Speichern</a>, fragt aber immer nach einem Dateinamen. Vorgeschlagen wird <tt>*.QVC</tt>."],
   ["Speichern unter", "Dateiname"]),
 25: ("Senden", [
   "Überträgt den gesamten Parametersatz als ein Telegramm über die serielle Schnittstelle des PCs an das Gerät. Das Datum und die Uhrzeit des PCs werden dabei mitgesendet.",
   "Vorher prüft das Programm jedes Zahlenfeld des Parametersatzes wie beim <b>OK</b> der Dialoge (<a href='topic-3.html'>Menü Parameter</a>), auch Werte aus einer geladenen Parameterdatei. Passt ein Wert nicht, wird nichts gesendet; die Meldung nennt jedes betroffene Feld mit seinem Text und dem zulässigen Bereich, z. B. <i>Sendezyklus: 300 (zulässig 0 bis 255)</i>. Die Datei selbst wird unverändert geladen und gespeichert.",
   "Das Gerät bestätigt den Empfang. Es erscheint <i>Parameter fehlerfrei übertragen</i> oder, wenn innerhalb von etwa zwei Sekunden keine Bestätigung kommt, <i>Fehler bei der Übertragung der Parameter</i>.",
   "Prüfen Sie im Fehlerfall Kabel, die gewählte Schnittstelle und die Baudrate (<a href='topic-45.html'>PC-SIO</a>). Die Übertragung wird nicht automatisch wiederholt."],
   ["Senden", "Übertragung", "Quittung", "Fehler bei der Übertragung"]),
 26: ("Beenden", [
   "Schließt das Programm, wie <b>Info &gt; Beenden</b> und das Schließen des Fensters. Die serielle Schnittstelle erhält ihre vorherigen Einstellungen zurück, eine offene Protokolldatei wird geschlossen.",
   ASK_BEFORE_DISCARDING],
   ["Beenden", "Änderungen speichern"]),
 31: ("Funktionswahl, Messbereich und Pt-Funktionswahl", [
   "<b>Funktionswahl</b>: Für QVT410- und QVT055-Geräte wählen Sie zwischen <i>Sondermessung</i> (beim QVT055 <i>Anzeigezeiten</i>) und <i>Temperaturbereich Pt100x</i>. QVT0xx-Geräte öffnen direkt den Messbereich.",
   "<b>Messbereich</b>: Messwert und Anzeigewert am Bereichsanfang und am Bereichsende legen die Skalierung fest (je höchstens 4 Zeichen; QVT410 -1999 bis 1999, QVT0xx und QVT055 -32768 bis 32767, geprüft bei <b>OK</b>). <i>Funktion aktivieren (Gesamtmenge)</i> schaltet bei Durchflussgeräten die Mengenzählung ein.",
   "<b>Pt-Funktionswahl</b>: einer der vier Messbereiche für Pt100 und Pt1000."],
   ["Funktionswahl", "Messbereich", "Skalierung", "Pt100", "Pt1000", "Gesamtmenge"]),
 32: ("Anzeige", [
   "Stellen Sie Dezimalpunkt, Rundung der letzten Stelle, Anzahl der Messungen für die Mittelwertbildung, die drei Zeichen für Dimension und Benennung und den Teiler durch 10 ein.",
   "<b>Display-Empfang</b>: das Gerät zeigt Werte an, die es über die Schnittstelle empfängt.",
   "<b>TEST</b> sendet sofort den eingetragenen <i>Testwert</i> (höchstens 3999) mit dem gewählten Dezimalpunkt an das Gerät, ohne den Parametersatz zu ändern. Das Gerät zeigt den Wert an und bestätigt: <i>Wert fehlerfrei übertragen</i>, sonst <i>Fehler bei der Übertragung</i>.",
   "Leere Stellen des Testwerts zählen als 0, eine linksbündige <tt>12</tt> ist also 1200. Einen größeren Wert als 3999 sendet das Programm nicht, sondern meldet ihn, z. B. <i>Testwert: 9999 (zulässig 0 bis 3999)</i>.",
   "<i>Messungen für Durchschnittsbildung</i>: erlaubt sind 0 bis 9999; <b>OK</b> prüft das (<a href='topic-3.html'>Menü Parameter</a>)."],
   ["Anzeige", "Dezimalpunkt", "Rundung", "Mittelwert", "Dimension", "Testwert", "TEST"]),
 33: ("Schaltpunkte", [
   "Für jeden der beiden Schaltpunkte: Schaltpunkt und Hysterese (Vorzeichen und 4 Ziffern), Verzögerung, <i>Relais = Öffner</i> (das Relais öffnet beim Schalten) und <i>Aktiv</i>.",
   "Schaltpunkt und Hysterese: QVT410 -1999 bis 1999, QVT0xx und QVT055 -32768 bis 32767; Verzögerung: QVT410 0 bis 9999, sonst 0 bis 65535. <b>OK</b> prüft die Werte (<a href='topic-3.html'>Menü Parameter</a>)."],
   ["Schaltpunkte", "Hysterese", "Relais", "Verzögerung", "Öffner"]),
 34: ("Serielle Schnittstelle QVT410", [
   "Baudrate, Betriebsart (<i>Passiv</i>, <i>RS232-sec.</i>, <i>RS232-min.</i>) und Sendezyklus der seriellen Schnittstelle des Geräts.",
   "Beim Öffnen wird die Baudrate des PCs passend zur Baudrate des Geräts eingestellt.",
   "Sendezyklus (in Sekunden): erlaubt sind 0 bis 255; <b>OK</b> prüft das (<a href='topic-3.html'>Menü Parameter</a>)."],
   ["Serielle Schnittstelle", "SIO", "Sendezyklus", "Baudrate", "Betriebsart"]),
 35: ("Echtzeituhr - RTC", [
   "Datum, Uhrzeit und Wochentag der Uhr im Gerät. Ist <i>Automatisch</i> gesetzt, werden die Felder beim Öffnen und bei jeder Aktivierung des Dialogs aus der Uhr des PCs gefüllt.",
   "Beim <a href='topic-25.html'>Senden</a> wird ohnehin die aktuelle Zeit des PCs übertragen.",
   "<b>OK</b> übernimmt nur eine Uhrzeit und ein Datum, die es gibt: Minuten 0 bis 59, Stunden 0 bis 23, ein Tag, den der Monat hat (31.02. nicht, 29.02. nur im Schaltjahr), Monat 1 bis 12, Jahr 2000 bis 2099 (<a href='topic-3.html'>Menü Parameter</a>)."],
   ["Echtzeituhr", "RTC", "Uhrzeit", "Datum", "Automatisch"]),
 36: ("Erweiterungskarte", [
   "Welche Erweiterungskarte im Gerät steckt: <i>Analogausgang (410-204)</i>, <i>SIO/RTC (410-232)</i> oder <i>Keine Erweiterungsplatine</i>. Die Auswahl wird gesendet, aber nicht in der Parameterdatei gespeichert."],
   ["Erweiterungskarte", "Analogausgang", "SIO/RTC"]),
 37: ("Sonderfunktionen", [
   "Für QVT0xx-Geräte: Impulse des Drehgebers je Umdrehung, Anzeige von Messwert oder Uhrzeit, Zählrichtung vorwärts oder rückwärts.",
   "Impulse des Drehgebers: erlaubt sind -32768 bis 32767; <b>OK</b> prüft das (<a href='topic-3.html'>Menü Parameter</a>). Die anderen Gerätefamilien verwenden den Wert nicht; er wird für sie weder geprüft noch angeboten."],
   ["Sonstiges", "Sonderfunktionen", "Drehgeber", "Zählrichtung"]),
 41: ("Gerätetyp", [
   "Wählt die Gerätefamilie: <i>QVT010/020/030/050/060</i> (U/I, Temperatur), <i>QVT070/075/080/085</i> (Frequenz, Drehzahl, Ereignis, Durchfluß) oder <i>QVT055 (PT100Uhr)</i>.",
   "Die Auswahl erscheint unten rechts im Feld <b>Gerätetyp</b>; der Zusatz -3E/-3N/-2 nennt den Baustein und Einzel- oder Netzwerkgerät.",
   "Bereits eingegebene Parameter werden beim Wechsel nicht umgerechnet."],
   ["Gerätetyp", "Gerätefamilie", "QVT055", "QVT0xx"]),
 42: ("Drucken", [
   "Schaltet das Drucken der empfangenen Telegramme ein oder aus. Die Telegramme werden rechts im Fenster gesammelt; sobald 41 Zeilen beisammen sind, geht die Seite auf den Standarddrucker (Fußzeile <i>QVT410-Daten Seite n</i>).",
   "Ist kein Drucker verfügbar, meldet das Programm einmal <i>Kein Drucker verfügbar</i>; die gesammelten Zeilen bleiben erhalten. Sobald die nächste Seite voll ist, versucht es das Programm erneut und druckt alle aufgehobenen Zeilen, je 41 Zeilen auf eine Seite mit eigener Seitennummer."],
   ["Drucken", "Drucker", "Telegrammliste", "Seite"]),
 43: ("Druckseite löschen", [
   "Verwirft die gesammelten Telegrammzeilen der aktuellen Druckseite, ohne sie zu drucken."],
   ["Druckseite löschen", "Löschen"]),
 44: ("Telegramm zeigen", [
   "Zeigt das zuletzt empfangene Telegramm des Geräts im Hauptfenster an. Die Einstellung bleibt nach einem Neustart erhalten.",
   "Der Messwert erscheint in großen Ziffern, sobald ein Telegramm empfangen wurde.",
   "Ist der Messwert nicht aktuell, werden die Ziffern grau und der Rahmen sagt warum: <i>Messwert – keine Verbindung (COM2: /dev/ttyUSB0)</i>, wenn die Schnittstelle sich nicht öffnen ließ oder die Verbindung unterbrochen wurde (dann erscheint die Anzeige schon vor dem ersten Telegramm), oder <i>Messwert – seit 12 s kein Telegramm</i>, wenn das Gerät deutlich länger schweigt als gewohnt (mehr als das 2,5-fache seines üblichen Abstands, mindestens 5 Sekunden). Das nächste Telegramm stellt die normale Anzeige wieder her."],
   ["Telegramm zeigen", "Messwert", "Monitor", "keine Verbindung", "kein Telegramm"]),
 45: ("Serielle Schnittstelle PC (PC-SIO)", [
   "Wählt die serielle Schnittstelle des PCs (COM1 bis COM6) und ihre Baudrate. Nach OK wird die Schnittstelle sofort neu geöffnet und die Auswahl für den nächsten Start gespeichert.",
   "Unter Linux steht jeder Name COM1..COM6 für ein Gerät, das in der Datei <tt>QVT410.INI</tt> festgelegt ist (Grundeinstellung <tt>/dev/ttyS0</tt> bis <tt>/dev/ttyS5</tt>). Unter den Schaltflächen steht das Gerät des gewählten Namens und ob es vorhanden ist. Wird die Verbindung unterbrochen (z. B. USB-Adapter abgezogen), schließt das Programm die Schnittstelle; öffnen Sie sie hier neu.",
   "<b>Zuordnen...</b> listet die vorhandenen seriellen Geräte (<tt>/dev/serial/by-id</tt>, USB-Adapter <tt>ttyUSB</tt>/<tt>ttyACM</tt> und die <tt>ttyS</tt>, hinter denen eine Schnittstelle steckt); Sie können auch einen Pfad eintippen (ohne Ordner ist <tt>/dev</tt> gemeint). Das gewählte Gerät gilt sofort für den gewählten Namen und wird in <tt>QVT410.INI</tt> im Startordner gespeichert; die übrigen Zeilen der Datei bleiben unverändert. Lässt sich das Gerät nicht öffnen, steht der Grund rot neben der Schaltfläche, und die Zuordnung bleibt, wie sie war."],
   ["PC-SIO", "COM", "Baudrate", "Schnittstelle", "QVT410.INI", "Zuordnen", "ttyUSB"]),
 46: ("In Datei speichern", [
   "Schreibt jedes empfangene Telegramm als eine Zeile in eine Protokolldatei. Der Name wird aus dem Datum gebildet und erhält den ersten freien Buchstaben; er erscheint unten im Feld <b>Zieldatei</b>.",
   "Jede Zeile wird sofort in die Datei geschrieben und im Hintergrund auf den Datenträger gebracht, so dass auch ein langsamer USB-Stick oder ein Netzlaufwerk die Anzeige nicht aufhält.",
   "Kann die Datei nicht angelegt oder beschrieben werden (Datenträger voll oder entfernt, alle 26 Namen des Tages vergeben), meldet das Programm einmal <i>Protokolldatei kann nicht geschrieben werden</i> und schaltet das Speichern aus; die Telegramme werden weiter angezeigt."],
   ["In Datei speichern", "Protokoll", "Zieldatei", "Log"]),
 61: ("Messwertverlauf...", [
   "Das Menü <b>Ansicht</b> öffnet mit <b>Messwertverlauf...</b> ein Fenster neben dem Hauptfenster, das den Messwert jedes empfangenen Telegramms über der Zeit zeigt. Gesammelt wird vom Programmstart an, auch solange das Fenster geschlossen ist; beim Öffnen ist der bisherige Verlauf also schon da. Ein Telegramm, dessen Messwertfeld keine Zahl enthält (z. B. <tt>----</tt> bei Überlauf), wird gezählt, aber nicht gezeichnet. Jeder Wert steht bei der Zeit, zu der sein Telegramm ankam. Bleiben die Telegramme länger als fünf übliche Abstände aus (mindestens 1 s) oder war die Verbindung unterbrochen, endet die Linie dort und beginnt mit dem nächsten Telegramm neu.",
   "<b>Zeitraum</b> wählt die letzte Minute, die letzten 10 Minuten, die letzte Stunde oder <i>Alles</i>. <b>Pause</b> hält die Anzeige an, während weiter gesammelt wird. Mit der Maus einen Bereich über die Zeitachse ziehen vergrößert ihn (die Anzeige hält dabei an), ein Klick mit der rechten Maustaste verkleinert wieder; <b>Pause</b> erneut drücken kehrt zur laufenden Anzeige zurück.",
   "Unter dem Diagramm stehen Anzahl, Minimum, Maximum, Mittelwert und Standardabweichung der angezeigten Werte mit der Einheit aus dem Telegramm: Minimum und Maximum mit so vielen Nachkommastellen, wie ihr Telegramm hatte, Mittelwert und Standardabweichung mit einer mehr. Die y-Achse passt sich den Werten an; <b>Y-Achse fest</b> hält sie mit den Grenzen <b>von</b> und <b>bis</b> fest.",
   "Aktive Schaltpunkte des aktuellen Parametersatzes (<a href='topic-33.html'>Schaltpunkte</a>) erscheinen als waagerechte Linien mit der Nummer ihres Relais, mit dem Dezimalpunkt aus dem Dialog <a href='topic-32.html'>Anzeige</a>.",
   "<b>Exportieren...</b> oder Strg+S speichert alle gesammelten Werte als CSV-Datei für Tabellenkalkulationen (Semikolon als Trennzeichen, jedes Feld in Anführungszeichen, Dezimalkomma, UTF-8): Spalten <i>Zeit</i> (TT.MM.JJJJ hh:mm:ss,zzz), <i>Wert</i>, <i>Einheit</i> und <i>Telegramm</i>. In LibreOffice Calc öffnen Sie die Datei mit den Voreinstellungen des Dialogs <i>Textimport</i> (<b>OK</b>): die Werte werden Zahlen, die Zeit bleibt mit ihren Sekunden lesbar. <b>Als PNG speichern...</b> speichert das Diagramm als Bild.",
   "Gespeichert werden höchstens die letzten 200.000 Telegramme (ein Tag bei zwei Telegrammen je Sekunde, oder rund 48 Minuten bei 19200 Baud ohne Pause). Ist die Grenze erreicht, sagt das Fenster es, und das jeweils älteste Telegramm fällt heraus."],
   ["Messwertverlauf", "Ansicht", "Trend", "CSV", "Export", "Statistik"]),
 50: ("Programmieren", [
   "Das Menü <b>Programmieren</b> schreibt Firmware in den Mikrocontroller eines Geräts (Baustein 8252 oder 8253) über ein Programmierkabel an der Parallelschnittstelle. Es wird mit <tt>[programming] menu=visible</tt> in <tt>QVT410.INI</tt> angezeigt und mit Alt+R geöffnet; Alt+P öffnet immer das Menü <b>Parameter</b>.",
   "Wählen Sie die Gerätevariante aus dem Katalog, oder mit <b>Programm...</b> und <b>Daten...</b> eine beliebige Intel-HEX-Datei. <b>Baustein löschen</b> löscht den Baustein. <b>Schnittstelle...</b> wählt die Parallelschnittstelle (wirksam nach dem nächsten Start).",
   "Daneben wählt <b>Schnittstelle...</b> das Kabel: <i>Parallelport</i>, <i>FTDI-Adapter</i> (Gerät: Seriennummer oder USB-Adresse <tt>usb:BUS:GERÄT</tt>, leer für den einen vorhandenen Adapter) oder <i>GPIO</i> (Gerät: <tt>gpiochipN</tt>, leer für <tt>gpiochip0</tt>), mit der Pinbelegung <tt>ft232r</tt>, <tt>ft232h</tt>, <tt>raspberrypi</tt> oder ausgeschrieben wie <tt>mosi=0,sck=1,rst=~3,miso=2</tt> (<tt>~</tt> kehrt eine Leitung um). <b>Suchen</b> listet die gefundenen FTDI-Adapter und GPIO-Chips; ein Klick auf einen Eintrag übernimmt ihn. <b>OK</b> weist eine Pinbelegung ab, die das Kabel nicht hat, und speichert ein geändertes Kabel unter <tt>[cable]</tt> in <tt>QVT410.INI</tt>.",
   "Bevor der Baustein berührt wird, liest das Programm die Programm- und die Datendatei ganz durch. Fehlt eine davon, lässt sie sich nicht lesen (fehlendes Leserecht, ein Ordner, eine Pipe oder ein Gerät), ist sie keine gültige Intel-HEX-Datei oder enthält sie Bytes jenseits des Speichers des gewählten Bausteins (Programmspeicher 8252: 8192 Bytes, 8253: 12288 Bytes; Datenspeicher beider: 2048 Bytes), nennt die Meldung die Datei (<i>nicht gefunden</i>, <i>kann nicht gelesen werden</i>, <i>Hex-Datei fehlerhaft</i>, <i>Prüfsumme der Hex-Datei fehlerhaft</i> oder <i>passt nicht in den Programmspeicher des 8252 (8192 Bytes)</i>), und der Baustein bleibt, wie er war.",
   "Während des Programmierens zeigt das Fenster den Fortschritt; ESC bricht ab, beim Baustein 8253 nach der gerade geschriebenen Seite. Der Baustein ist danach nur teilweise programmiert und nicht gesichert: programmieren Sie ihn erneut.",
   "Die Firmware-Dateien werden im Arbeitsordner gesucht, gleich ob ihr Name groß oder klein geschrieben ist (<tt>EVTPT_I.HEX</tt> oder <tt>evtpt_i.hex</tt>). Das Programm <tt>XPG.EXE</tt> für die QVT470-Geräte wird immer aus dem Ordner gestartet, in dem das Programm gestartet wurde (dort liegt <tt>QVT410.CFG</tt>)."],
   ["Programmieren", "Firmware", "Baustein", "Parallelschnittstelle", "HEX-Datei", "FTDI-Adapter", "GPIO", "Pinbelegung"]),
}

PAGE = """<html><head><meta charset="utf-8"><title>{title}</title></head>
<body style="font-family: sans-serif">
<p style="font-size: small"><a href="contents.html">Inhalt</a> | <a href="index.html">Index</a></p>
<h2>{title}</h2>
{body}
</body></html>
"""

def write(name, title, body):
    with open(os.path.join(HERE, name), "w", encoding="utf-8") as f:
        f.write(PAGE.format(title=title, body=body))

def short_title(ctx):
    """The name a topic goes by in the index: the part in brackets when its
    title has one ("PC-SIO"), else the title without a closing "..."."""
    title = TOPICS[ctx][0]
    if title.endswith(")") and "(" in title:
        return title[title.rindex("(") + 1:-1]
    return title.removesuffix("...")

def index_entries():
    """(text, context) of every keyword. A keyword of several topics names the
    topic it leads to, "Baudrate (PC-SIO)", except in the topic of that very
    name, "Beenden" beside "Beenden (Menü Info)"."""
    topics_of = {}
    for ctx, (_, _, keys) in TOPICS.items():
        for key in keys:
            topics_of.setdefault(key, []).append(ctx)
    entries = []
    for key, contexts in topics_of.items():
        for ctx in contexts:
            plain = len(contexts) == 1 or short_title(ctx) == key
            entries.append((key if plain else f"{key} ({short_title(ctx)})", ctx))
    texts = [text for text, _ in entries]
    duplicates = {text for text in texts if texts.count(text) > 1}
    assert not duplicates, f"index entries that do not say where they lead: {duplicates}"
    return entries

def main():
    for ctx, (title, paras, _) in TOPICS.items():
        write(f"topic-{ctx}.html", title, "\n".join(f"<p>{p}</p>" for p in paras))
    items = "\n".join(f"<li><a href='topic-{c}.html'>{t}</a></li>"
                      for c, (t, _, _) in sorted(TOPICS.items(), key=lambda kv: (kv[0] == 0, kv[0])))
    write("contents.html", "QVT410 - Inhalt",
          "<p>QVT410 parametriert, überwacht und programmiert QVT-Digitalanzeigen.</p><ul>" + items + "</ul>")
    # German order: an umlaut sorts with its vowel.
    umlauts = str.maketrans({"ä": "a", "ö": "o", "ü": "u", "ß": "ss"})
    entries = sorted(index_entries(), key=lambda e: e[0].casefold().translate(umlauts))
    write("index.html", "QVT410 - Index",
          "<ul>" + "\n".join(f"<li><a href='topic-{c}.html'>{html.escape(k)}</a></li>" for k, c in entries) + "</ul>")
    files = ["contents.html", "index.html"] + [f"topic-{c}.html" for c in TOPICS]
    with open(os.path.join(HERE, "help.qrc"), "w") as f:
        f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/help">\n')
        f.writelines(f"    <file>{n}</file>\n" for n in files)
        f.write("</qresource>\n</RCC>\n")

main()
