// The main menu as designed: every item carries its form name as objectName,
// its caption and its help context number (property "helpContext").
#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>

#include "shell/main_window.h"

namespace {

constexpr const char* kHelpContext = "helpContext";

QAction* AddItem(QMenu* menu, const char* name, const QString& caption, int help = 0) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setProperty(kHelpContext, help);
    return item;
}

void AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(name);
}

QMenu* AddSubmenu(QMenu* parent, const char* name, const QString& caption, int help = 0) {
    QMenu* sub = parent->addMenu(caption);
    sub->setObjectName(name);
    sub->menuAction()->setObjectName(name);
    sub->menuAction()->setProperty(kHelpContext, help);
    return sub;
}

struct ItemSpec {
    const char* name;
    const char* caption;
};

// A submenu of device variants, "QVT4x0-..." items in their designed order.
QMenu* AddVariantSubmenu(QMenu* parent, const char* name, const QString& caption,
                         std::initializer_list<ItemSpec> items) {
    QMenu* sub = AddSubmenu(parent, name, caption);
    for (const ItemSpec& item : items) AddItem(sub, item.name, QString::fromUtf8(item.caption));
    return sub;
}

}  // namespace

void TForm1::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto topMenu = [&](const char* name, const QString& caption, int help) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        m->menuAction()->setProperty(kHelpContext, help);
        m->installEventFilter(this);
        return m;
    };

    QMenu* info = topMenu("Info1", "&Info", 1);
    AddItem(info, "Info2", "&Info");
    AddSeparator(info, "N1");
    AddItem(info, "Beenden1", "&Beenden");

    QMenu* datei = topMenu("Datei1", "&Datei", 2);
    AddItem(datei, "Neu1", "&Neu", 21);
    AddItem(datei, "Laden1", "&Laden...", 22);
    AddItem(datei, "Speichern1", "&Speichern", 23)->setEnabled(false);
    AddItem(datei, "Speichernunter1", "S&peichern unter...", 24)->setEnabled(false);
    AddItem(datei, "Senden1", "Sen&den", 25);
    AddSeparator(datei, "N2");
    AddItem(datei, "Beenden2", "&Beenden", 26);

    QMenu* parameter = topMenu("Parameter1", "&Parameter", 3);
    AddItem(parameter, "Funktionswahl1", "&Funktionswahl...", 31);
    AddItem(parameter, "Anzeige1", "&Anzeige", 32);
    AddItem(parameter, "Schaltpunkte1", "&Schaltpunkte", 33);
    AddItem(parameter, "SIO1", "Serielle Schnittstelle SI&O", 34);
    AddItem(parameter, "RTC1", "Echtzeituhr &RTC", 35);
    AddItem(parameter, "AnalogausgangDAC1", "&Erweiterungskarte", 36);
    AddItem(parameter, "Sonstiges1", "So&nstiges", 37);

    QMenu* settings = topMenu("Einstellungen1", "&Einstellungen", 4);
    QMenu* type = AddSubmenu(settings, "Gertetyp1", QString::fromUtf8("&Gerätetyp..."), 41);
    type->installEventFilter(this);
    QAction* t0 = AddItem(type, "QVT4101", "&QVT010/020/030/050/060");
    t0->setStatusTip("U/I,Temp");
    QAction* t1 = AddItem(type, "QVT0xx1", "Q&VT070/075/080/085");
    t1->setStatusTip(QString::fromUtf8("Frequenz, Drehzahl, Ereignis, Durchfluß"));
    QAction* t2 = AddItem(type, "QVT055", "QV&T055 (PT100Uhr)");
    for (QAction* t : {t0, t1, t2}) t->setCheckable(true);
    t0->setChecked(true);
    AddSeparator(settings, "N10");
    AddItem(settings, "Drucken1", "&Drucken", 42)->setCheckable(true);
    AddItem(settings, "Druckseitercksetzen1", QString::fromUtf8("D&ruckseite löschen"), 43);
    AddItem(settings, "InDateispeichern1", "In Datei speichern", 46)->setCheckable(true);
    AddSeparator(settings, "N8");
    QAction* show = AddItem(settings, "Datumzeigen1", "Telegramm zeigen", 44);
    show->setCheckable(true);
    show->setChecked(true);
    AddSeparator(settings, "N3");
    AddItem(settings, "PCSIO1", "&PC-SIO...", 45);

    // "Programmieren" is hidden as designed. While hidden it is not even placed
    // in the menu bar; when shown it takes R, so that Alt+P always means
    // "&Parameter" and never, alternating, a menu that erases the chip.
    QMenu* prog = new QMenu("P&rogrammieren", this);
    prog->setObjectName("Programmieren1");
    prog->menuAction()->setObjectName("Programmieren1");
    prog->menuAction()->setProperty(kHelpContext, 50);  // one topic for the whole menu
    prog->installEventFilter(this);
    AddItem(prog, "QVT410UI71351", "&QVT410UI (7135)");
    AddSeparator(prog, "N4");
    AddVariantSubmenu(prog, "QVT410I1", "QVT4&10",
                      {{"QVT410UI2", "QVT410-010/020/030 U&I"},
                       {"QVT410PT2", "QVT410-050 P&T"},
                       {"QVT410TH2", "QVT410-060 T&H"},
                       {"QVT4100352", "QVT410-03&5 (UI ohne Rel.)"},
                       {"QVT410070Drehzahl1", "QVT410-070 &Drehzahl"},
                       {"QVT410075Frequenz1", "QVT410-075 &Frequenz"},
                       {"QVT410080Durchflu1", "QVT410-080 D&urchfluß"},
                       {"QVT410085Zhler1", "QVT410-085 &Zähler"},
                       {"QVT410025Leistung1", "QVT410-025 &Leistung"},
                       {"QVT410055PT100Uhr1", "QVT410-055 &PT100 Uhr"},
                       {"QVT410090Feuchte1", "QVT410-090 Feu&chte"}});
    AddVariantSubmenu(prog, "N7", "QVT4&20",
                      {{"QVT420UI1", "QVT420-010/020/030 U&I"},
                       {"QVT420PT1", "QVT420-050 P&T"},
                       {"QVT420TH1", "QVT420-060 T&H"},
                       {"QVT420070Drehzahl1", "QVT420-070 &Drehzahl"},
                       {"QVT420075Frequenz1", "QVT420-075 &Frequenz"},
                       {"QVT420080Durchflu1", "QVT420-080 D&urchfluß"},
                       {"QVT420085Zhler1", "QVT420-085 &Zähler"},
                       {"QVT420025Leistung1", "QVT420-025 &Leistung"},
                       {"QVT420090Feuchte", "QVT420-090 Feu&chte"}});
    AddVariantSubmenu(prog, "N13", "QVT&430",
                      {{"QVT430UI1", "QVT430-010/020/030 U&I"},
                       {"QVT430035UIohneRel1", "QVT430-035 UI ohne &Rel."},
                       {"QVT430PT1", "QVT430-050 P&T"},
                       {"QVT430TH1", "QVT430-060 T&H"},
                       {"QVT430070Drehzahl1", "QVT430-070 &Drehzahl"},
                       {"QVT430075Frequenz1", "QVT430-075 &Frequenz"},
                       {"QVT430080Durchflu1", "QVT430-080 D&urchfluß"},
                       {"QVT430085Zhler1", "QVT430-085 &Zähler"},
                       {"QVT430025Leistung1", "QVT430-025 &Leistung"},
                       {"QVT430090Feuchte", "QVT430-090 Feu&chte"}});
    AddVariantSubmenu(prog, "QVT4401", "QVT4&40",
                      {{"QVT440UI1", "QVT440-010/020/030 U&I"},
                       {"QVT440035UIohneRel1", "QVT440-035 UI ohne &Rel."},
                       {"QVT44PT1", "QVT440-050 P&T"},
                       {"QVT440TH1", "QVT440-060 T&H"},
                       {"QVT440070Drehzahl1", "QVT440-070 &Drehzahl"},
                       {"QVT440075Frequenz1", "QVT440-075 &Frequenz"},
                       {"QVT440080Durchflu1", "QVT440-080 D&urchfluß"},
                       {"QVT440085Zhler1", "QVT440-085 &Zähler"},
                       {"QVT440025Leistung1", "QVT440-025 &Leistung"},
                       {"QVT440090Feuchte", "QVT440-090 Feu&chte"}});
    AddVariantSubmenu(prog, "QVT4501", "QVT4&50",
                      {{"QVT4502", "QVT450-010/020/030 U&I"},
                       {"QVT450035UIohneRel2", "QVT450-035 UI ohne &Rel."},
                       {"QVT450050PT1", "QVT450-050 P&T"},
                       {"QVT450060TH1", "QVT450-060 T&H"},
                       {"QVT450070Drehzahl", "QVT450-070 &Drehzahl"},
                       {"QVT450075Frequenz", "QVT450-075 &Frequenz"},
                       {"QVT450080Durchflu", "QVT450-080 D&urchfluß"},
                       {"QVT450085Zhler", "QVT450-085 &Zähler"},
                       {"QVT450025Leistung", "QVT450-025 &Leistung"},
                       {"QVT450090Feuchte", "QVT450-090 Feu&chte"}});
    AddVariantSubmenu(prog, "QVT4601", "QVT46&0",
                      {{"QVT460UI1", "QVT460-010/020/030 U&I"},
                       {"QVT460035UIohneRel1", "QVT460-035 UI ohne &Rel."},
                       {"QVT460PT1", "QVT460-050 P&T"},
                       {"QVT460TH1", "QVT460-060 T&H"},
                       {"QVT460070Drehzahl", "QVT460-070 &Drehzahl"},
                       {"QVT460075Frequenz", "QVT460-075 &Frequenz"},
                       {"QVT460080Durchflu", "QVT460-080 D&urchfluß"},
                       {"QVT460085Zhler", "QVT460-085 &Zähler"},
                       {"QVT460025Leistung", "QVT460-025 &Leistung"},
                       {"QVT460090Feuchte", "QVT460-090 Feu&chte"}});
    // The 025 power variants of the 430..460 lines are hidden as designed.
    for (const char* hidden :
         {"QVT430025Leistung1", "QVT440025Leistung1", "QVT450025Leistung", "QVT460025Leistung"}) {
        action(hidden)->setVisible(false);
    }
    QMenu* bv = AddSubmenu(prog, "QVT410BV1", "QVT410B&V...");
    AddItem(bv, "N001UIM1", "001UI-M");
    AddSeparator(bv, "N11");
    AddItem(bv, "N001UII1", "001UI-I");
    AddItem(bv, "N001PTI1", "001PT-I");
    AddItem(bv, "N001THI1", "001TH-I");
    AddSeparator(prog, "N12");
    QMenu* q470 = AddSubmenu(prog, "QVT4701", "Q&VT470");
    AddItem(q470, "QVT470010UI1", "&QVT470");
    AddItem(q470, "Q470401", "QVT470-0&40");
    AddSeparator(prog, "N6");
    AddItem(prog, "Datei2", "&Programm...");
    AddItem(prog, "Daten1", "&Daten...");
    AddSeparator(prog, "N9");
    AddItem(prog, "Bausteinlschen1", QString::fromUtf8("&Baustein löschen"));
    QAction* chip = AddItem(prog, "Baustein1", "Baustein 825&3");
    chip->setCheckable(true);
    chip->setChecked(true);
    AddItem(prog, "SIOTYP1", QString::fromUtf8("&Einzelgerät"))->setVisible(false);
    AddSeparator(prog, "N5");
    AddItem(prog, "Schnittstelle1", "Sch&nittstelle...");

    prog->menuAction()->setVisible(context_.settings.programmingMenuVisible);

    QMenu* hilfe = topMenu("Hilfe1", "&Hilfe", 0);
    QAction* contents = AddItem(hilfe, "Hilfe2", "&Inhalt");
    contents->setStatusTip("Hilfe anzeigen");
    contents->setProperty("actionName", "HilfeInhalt");
    AddItem(hilfe, "Index1", "I&ndex");
    // With the programming menu shown, it stands between "Einstellungen" and "Hilfe".
    if (context_.settings.programmingMenuVisible) {
        bar->insertMenu(hilfe->menuAction(), prog);
    }

    for (QMenu* m : findChildren<QMenu*>()) m->installEventFilter(this);

    connect(action("Info2"), &QAction::triggered, this, &TForm1::Info2Click);
    connect(action("Beenden1"), &QAction::triggered, this, &TForm1::Beenden1Click);
    connect(action("Beenden2"), &QAction::triggered, this, &TForm1::Beenden1Click);
    connect(contents, &QAction::triggered, this, &TForm1::HilfeInhaltExecute);
    connect(action("Index1"), &QAction::triggered, this, &TForm1::Index1Click);
    connect(t0, &QAction::triggered, this, &TForm1::QVT4101Click);
    connect(t1, &QAction::triggered, this, &TForm1::QVT0xx1Click);
    connect(t2, &QAction::triggered, this, &TForm1::QVT055Click);
    connect(type, &QMenu::aboutToShow, this, &TForm1::Gertetyp1Click);
    connect(parameter, &QMenu::aboutToShow, this, &TForm1::Parameter1Click);
}
