#include "SaveFailure.h"

#include "platform/foundation/Log.h"
#include "platform/ui/AlertView.h"

void tellSaveFailed(const QString& what)
{
    foundation::Log::write(QStringLiteral("not saved: ") + what);
    (new ui::AlertView(QStringLiteral("ذخیره نشد"),
         QStringLiteral("تغییر شما در حافظهٔ گوشی ذخیره نشد. آنچه وارد کرده‌اید سر جایش است؛ لطفاً دوباره امتحان کنید."),
         QStringLiteral("باشه")))
        ->present();
}

void tellReadFailed(const QString& title)
{
    foundation::Log::write(QStringLiteral("not read: ") + title);
    (new ui::AlertView(title + QStringLiteral(" خوانده نشد"), QStringLiteral("لحظه‌ای دیگر دوباره این صفحه را باز کنید."), QStringLiteral("باشه")))
        ->present();
}
