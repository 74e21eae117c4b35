#include "platform/qt/default_printer.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/latin1_text.h"

namespace qvt {
namespace {

// Positions are designed for a 600 dpi printer.
constexpr double kDesignResolution = 600.0;

// Latin-1 as the device sent it; a control character (the CR a short
// telegram may carry) prints as a blank and never breaks the line.
QString PrintableText(const std::string& bytes) {
    return QString::fromStdString(Utf8FromLatin1(OnOneLine(bytes)));
}

class DefaultPrinter final : public Printer {
  public:
    bool Print(const std::vector<PrintText>& page) override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return false;
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName("QVT410-Daten");
        QPainter painter;
        if (!painter.begin(&printer))
            return false;
        const double scale = printer.resolution() / kDesignResolution;
        for (const PrintText& item : page) {
            QFont font = painter.font();
            font.setPointSize(item.pointSize);
            painter.setFont(font);
            // The position is the top left corner of the text, as on the
            // printer canvas the page was designed for.
            const QPointF topLeft(item.x * scale, item.y * scale);
            painter.drawText(QRectF(topLeft, QSizeF(1e6, 1e6)), Qt::AlignLeft | Qt::AlignTop,
                             PrintableText(item.text));
        }
        return painter.end();
    }
};

}  // namespace

std::unique_ptr<Printer> MakeDefaultPrinter() {
    return std::make_unique<DefaultPrinter>();
}

}  // namespace qvt
