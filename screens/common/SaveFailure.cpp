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
