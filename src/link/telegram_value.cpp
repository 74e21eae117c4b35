#include "link/telegram_value.h"

namespace qvt {
namespace {

TelegramForm FormOf(ReceivedTelegram::Kind kind) {
    switch (kind) {
        case ReceivedTelegram::Kind::kShort:
            return TelegramForm::kShort;
        case ReceivedTelegram::Kind::kLong27:
            return TelegramForm::kLong27;
        case ReceivedTelegram::Kind::kLong28:
            return TelegramForm::kLong28;
        case ReceivedTelegram::Kind::kLongOther:
            break;
    }
    return TelegramForm::kLongOther;
}

}  // namespace

MeasuredValue ReadMeasuredValue(const ReceivedTelegram& telegram) {
    return ReadMeasuredValue(FormOf(telegram.kind), telegram.text, telegram.value);
}

}  // namespace qvt
