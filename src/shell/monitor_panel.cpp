#include "shell/monitor_panel.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextEdit>

#include "core/measured_value.h"
#include "dialogs/message_box.h"
#include "dialogs/widgets.h"

namespace qvt {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MonitorPanel::MonitorPanel(const Widgets& widgets, std::function<void(bool shown)> showList)
    : w_(widgets), showList_(std::move(showList)) {}

void MonitorPanel::ShowTelegram(std::string_view text, std::string_view value, bool panelShown) {
    w_.telegramText->setText(qvt::DeviceText(text));
    w_.telegramPanel->setVisible(panelShown);
    // The digits show what the number is read from, no more.
    w_.valueDigits->setText(qvt::DeviceText(qvt::ShownValue(value)));
    w_.valueFrame->show();
}

void MonitorPanel::ShowReceiving(bool receiving) {
    // The caption takes the group box's text colour from its style sheet.
    static const QRegularExpression kColour(R"((^|[\s;{])color:\s*[^;}]+)");
    QString sheet = w_.valueFrame->styleSheet();
    const QString declaration =
        QString("color: %1").arg(QColor(receiving ? Qt::red : Qt::white).name());
    if (sheet.contains(kColour)) {
        sheet.replace(kColour, "\\1" + declaration);
    } else {
        sheet += QString(" QGroupBox#%1 { %2; }").arg(w_.valueFrame->objectName(), declaration);
    }
    w_.valueFrame->setStyleSheet(sheet);
}

void MonitorPanel::ShowValueCurrent(bool current) {
    w_.valueDigits->setStyleSheet(
        QString("color: %1; background: black;").arg(current ? "red" : "gray"));
}

void MonitorPanel::ShowValueTitle(std::string_view title) {
    const QString text = FromUtf8(title);
    if (w_.valueFrame->title() != text)
        w_.valueFrame->setTitle(text);
}

void MonitorPanel::ShowValueFrame() {
    w_.valueFrame->show();
}

void MonitorPanel::ClearList() {
    w_.list->clear();
}

void MonitorPanel::AppendListLine(std::string_view text) {
    QTextCursor cursor(w_.list->document());
    cursor.movePosition(QTextCursor::End);
    if (!w_.list->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(qvt::DeviceText(text));
}

void MonitorPanel::ShowLogging(bool on) {
    w_.logItem->setChecked(on);
}

void MonitorPanel::ShowLogFile(std::string_view name) {
    w_.fileName->setText(FromUtf8(name));
    w_.fileBox->setTitle(" Zieldatei ");
}

void MonitorPanel::ShowParameterFile(std::string_view name) {
    w_.fileBox->setTitle(" Parameterdatei ");
    w_.fileName->setText(FromUtf8(name));
}

void MonitorPanel::ReportError(std::string_view text) {
    qvt::ShowMessage(w_.window, FromUtf8(text), qvt::Severity::kError);
}

}  // namespace qvt
