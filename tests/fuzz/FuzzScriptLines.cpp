// The reader of the device's script lines: any text is an action or not,
// never a crash, and an action has the numbers its kind needs, within bounds.
#include "platform/device/ScriptAction.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>

using device::ScriptAction;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const std::optional<ScriptAction> a = ScriptAction::parse(line);
        if (!a)
            continue;
        qsizetype needed = 0;
        switch (a->kind) {
        case ScriptAction::Kind::Tap:
            needed = 2;
            break;
        case ScriptAction::Kind::Drag:
            needed = 4;
            break;
        case ScriptAction::Kind::Wait:
        case ScriptAction::Kind::Advance:
            needed = 1;
            break;
        case ScriptAction::Kind::TapNamed:
            // Which of the elements so named: the first unless "#N" says.
            needed = 1;
            if (a->text.trimmed().isEmpty())
                std::abort();
            break;
        default:
            break;
        }
        if (a->numbers.size() != needed)
            std::abort();
        if (a->kind == ScriptAction::Kind::Wait && (a->numbers[0] < 0 || a->numbers[0] > ScriptAction::kMaxWaitMs))
            std::abort();
        if (a->kind == ScriptAction::Kind::TapNamed && (a->numbers[0] < 1 || a->numbers[0] > 99))
            std::abort();
    }
    return 0;
}
