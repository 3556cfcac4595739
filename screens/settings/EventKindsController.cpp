#include "EventKindsController.h"

#include "notifications/MyNotification.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Style.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TableViewCell.h"
#include "screens/common/SaveFailure.h"
#include "screens/common/SettingsScreen.h"
#include "store/EventKinds.h"

namespace {

const QString kTitle = QStringLiteral("گروه‌های مناسبت");
constexpr int kFooterHeight = 70;

} // namespace

EventKindsController::EventKindsController()
{
    setTitle(kTitle);
}

void EventKindsController::viewDidLoad()
{
    view()->setBackgroundColor(QColor(197, 204, 212));
    installSaveButton(this, [this] { save(); });
    // Unread kinds are not edited as if they were the defaults.
    const std::optional<EventRules::Kinds> kinds = eventKinds::load();
    loaded_ = kinds.has_value();
    stored_ = kinds_ = kinds.value_or(EventRules::kDefaultKinds);
    tbl_ = fillWithTable(this, this, this);
    auto* note = &view()->add<ui::Label>(QRect(16, 4 * 44 + 36, 288, kFooterHeight));
    note->setText(QStringLiteral("آنچه روشن است در تقویم، صفحهٔ روز، اعلان رویدادها و خروجی‌ها می‌آید. تعطیلی‌های رسمی و یادآوری‌های خودتان همیشه می‌آیند."));
    note->setTextFont(ui::font(QStringLiteral("Helvetica"), 13));
    note->setTextColor(QColor(76, 86, 108));
    note->setBackgroundColor(Qt::transparent);
    note->setTextAlignment(ui::TextAlignment::Right);
    note->setNumberOfLines(0);
    tbl_->reloadData();
    if (!loaded_)
        tellReadFailed(kTitle);
}

bool EventKindsController::hasUnsavedChanges() const
{
    return loaded_ && kinds_ != stored_;
}

bool EventKindsController::saveChanges()
{
    return save();
}

void EventKindsController::discardChanges()
{
    for (int k = 0; k < EventRules::kKinds; ++k)
        setShown(static_cast<EventRules::Kind>(k), stored_[static_cast<size_t>(k)]);
}

ui::BarButtonItem* EventKindsController::saveButton() const
{
    return saveButtonOf(this);
}

void EventKindsController::setShown(EventRules::Kind kind, bool shown)
{
    kinds_[static_cast<size_t>(kind)] = shown;
    if (ui::Switch* s = kindSwitch(kind); s && s->isOn() != shown)
        s->setOn(shown);
    saveButton()->setEnabled(loaded_ && kinds_ != stored_);
}

bool EventKindsController::save()
{
    if (!loaded_)
        return false;
    if (!eventKinds::save(kinds_)) {
        tellSaveFailed(QStringLiteral("the kinds of occasions"));
        return false;
    }
    stored_ = kinds_;
    saveButton()->setEnabled(false);
    // The events notice follows at once.
    MyNotification::initialize()->update();
    if (changed_)
        changed_();
    return true;
}

int EventKindsController::numberOfRowsInSection(ui::TableView*, int)
{
    return EventRules::kKinds;
}

ui::TableViewCell* EventKindsController::cellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path)
{
    const auto kind = static_cast<EventRules::Kind>(path.row);
    auto* cell = new ui::TableViewCell;
    cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
    cell->textLabel()->setText(EventRules::kindTitle(kind));
    auto* toggle = &cell->contentView()->add<ui::Switch>(QRect(220, 9, 94, 27));
    toggle->setOn(kinds_[static_cast<size_t>(kind)]);
    toggle->setAccessibleName(EventRules::kindTitle(kind));
    toggle->addAction(ui::ControlEvent::ValueChanged, [this, toggle, kind] { setShown(kind, toggle->isOn()); });
    switches_[static_cast<size_t>(path.row)] = toggle;
    return cell;
}

double EventKindsController::heightForFooterInSection(ui::TableView*, int)
{
    return kFooterHeight;
}
