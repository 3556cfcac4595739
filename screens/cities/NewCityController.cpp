#include "NewCityController.h"

#include "calendar/DayTimes.h"

#include "SearchController.h"
#include "WhereAmI.h"

#include "calendar/Utility.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Style.h"
#include "screens/common/SaveFailure.h"
#include "screens/common/SettingsScreen.h"
#include "store/Cities.h"

#include <algorithm>
#include <cmath>

namespace {

// The font size of each time's name in its row: dawn azan, sunrise, noon
// azan, sunset, evening azan, religious midnight.
const int kRowFontSize[NewCityController::kOffsetRows] = {17, 16, 17, 16, 17, 12};

// Degrees to four decimals: about ten metres.
constexpr int kPositionDecimals = 4;

const QString kWhyCoordinates = QStringLiteral("مختصات، اوقات خود این مکان را در هر روز سال می‌دهد؛ اختلاف ثابت با مرکز استان در فصل‌ها تا چند دقیقه خطا دارد.");

void tell(const QString& title, const QString& message)
{
    (new ui::AlertView(title, message, QStringLiteral("باشه")))->present();
}

} // namespace

NewCityController::NewCityController()
{
    difArray_ = QList<int>(kOffsetRows, 0);
    valueLabels_ = QList<QPointer<ui::Label>>(kOffsetRows);
}

void NewCityController::viewDidLoad()
{
    ui::View* screen = view();
    tbl_ = &screen->add<ui::TableView>(QRect(0, 0, 320, screen->height()), ui::TableView::Style::Grouped);
    tbl_->setAutoresizingMask(ui::View::FlexibleWidth | ui::View::FlexibleHeight);
    tbl_->setDataSource(this);
    tbl_->setDelegate(this);

    if (ui::NavigationController* nav = navigationController())
        nav->setNavigationBarHidden(false, true);
    navigationItem()->setTitle(QStringLiteral("شهر جدید"));
    difArray_ = QList<int>(kOffsetRows, 0);
    cityName_ = QStringLiteral("");
    provinceName_ = QStringLiteral("");
    provinceID_ = 0;
    installSaveButton(this, [this] { save(); });
    validate();
    tbl_->reloadData();
}

bool NewCityController::hasUnsavedChanges() const
{
    if (closing_ || !isViewLoaded())
        return false;
    auto typed = [](const QPointer<ui::TextField>& field, const QString& kept) {
        return !(field ? field->text() : kept).trimmed().isEmpty();
    };
    const bool moved = std::any_of(difArray_.begin(), difArray_.end(), [](int d) { return d != 0; });
    return typed(nameField_, cityName_) || provinceID_ != 0 || moved || typed(latitudeField_, latitude_) || typed(longitudeField_, longitude_);
}

bool NewCityController::saveChanges()
{
    const bool named = !(nameField_ ? nameField_->text().trimmed() : cityName_).isEmpty();
    if (!named || provinceID_ == 0) {
        tell(QStringLiteral("شهر ذخیره نشد"), QStringLiteral("برای ذخیره، نام شهر و استان آن را بنویسید."));
        return false;
    }
    save();
    return closing_;
}

void NewCityController::discardChanges()
{
    closing_ = true;
    if (ui::NavigationController* nav = navigationController(); nav && nav->topViewController() == this)
        nav->popViewControllerAnimated(true);
}

void NewCityController::validate()
{
    // The name that stands in the field counts: Save takes it from there.
    const bool named = !(nameField_ ? nameField_->text().trimmed() : cityName_).isEmpty();
    if (ui::BarButtonItem* saveButton = navigationItem()->rightBarButtonItem())
        saveButton->setEnabled(named && provinceID_ != 0);
}

void NewCityController::takeName(ui::TextField* field)
{
    cityName_ = field->text().trimmed();
}

void NewCityController::save()
{
    // What stands in the field counts, even when it was typed after the last return key.
    if (nameField_)
        takeName(nameField_);
    validate();
    if (cityName_.isEmpty() || provinceID_ == 0)
        return;

    bool said = false;
    const std::optional<std::pair<double, double>> at = coordinates(said);
    if (said)
        return;
    std::array<int, cities::kOffsets> offsets{};
    for (int i = 0; i < cities::kOffsets; ++i)
        offsets[static_cast<size_t>(i)] = difArray_.value(i);
    const QString name = Utility::GetProperString(cityName_);
    // All its rows or none; a failure keeps the form and what is in it.
    const bool stored = at ? cities::createAt(name, provinceID_, at->first, at->second) : cities::create(name, provinceID_, offsets);
    if (!stored) {
        tellSaveFailed(QStringLiteral("a new city"));
        return;
    }
    closing_ = true;
    if (ui::NavigationController* nav = navigationController())
        nav->popViewControllerAnimated(true);
}

std::optional<std::pair<double, double>> NewCityController::coordinates(bool& said) const
{
    const QString latitude = (latitudeField_ ? latitudeField_->text() : latitude_).trimmed();
    const QString longitude = (longitudeField_ ? longitudeField_->text() : longitude_).trimmed();
    said = false;
    if (latitude.isEmpty() && longitude.isEmpty())
        return std::nullopt;
    said = true;
    if (latitude.isEmpty() || longitude.isEmpty()) {
        tell(QStringLiteral("مختصات ناقص است"), QStringLiteral("هم عرض و هم طول جغرافیایی را بنویسید، یا هر دو را خالی بگذارید تا اختلاف با مرکز استان به کار رود."));
        return std::nullopt;
    }
    const std::optional<double> lat = cities::readDegrees(latitude);
    const std::optional<double> lon = cities::readDegrees(longitude);
    if (!lat || !lon) {
        tell(QStringLiteral("مختصات خوانا نیست"),
            Utility::ConvertToPersian(QStringLiteral("عرض و طول جغرافیایی را به درجه بنویسید، مثلاً 35٫69 و 51٫42.")));
        return std::nullopt;
    }
    if (!cities::inIran(*lat, *lon)) {
        tell(QStringLiteral("این نقطه در ایران نیست"),
            Utility::ConvertToPersian(
                QStringLiteral("عرض جغرافیایی باید میان 24 و 40٫5 درجه و طول جغرافیایی میان 43٫5 و 63٫5 درجه باشد.")));
        return std::nullopt;
    }
    said = false;
    return std::pair{*lat, *lon};
}

void NewCityController::provinceFromCoordinates()
{
    if (provinceID_ != 0)
        return;
    const std::optional<double> lat = cities::readDegrees(latitudeField_ ? latitudeField_->text() : latitude_);
    const std::optional<double> lon = cities::readDegrees(longitudeField_ ? longitudeField_->text() : longitude_);
    if (!lat || !lon || !cities::inIran(*lat, *lon))
        return;
    const auto [id, name] = cities::nearestProvince(*lat, *lon);
    if (id != 0)
        setProvince(id, name);
}

void NewCityController::setProvince(int provinceID, const QString& provinceName)
{
    provinceID_ = provinceID;
    provinceName_ = provinceName;
    tbl_->reloadData();
    validate();
}

void NewCityController::closeForm()
{
    if (ui::NavigationController* nav = navigationController()) {
        nav->popViewControllerAnimated(true);
        nav->setNavigationBarHidden(false, true);
    }
}

void NewCityController::sliderChanged(ui::Slider* slider)
{
    dismissKeyboard();
    const int v = static_cast<int>(std::floor(slider->value()));
    const int row = slider->tag();
    if (row < 0 || row >= kOffsetRows)
        return;
    if (valueLabels_[row])
        valueLabels_[row]->setText(Utility::ConvertToPersian(QString::number(v)));
    difArray_[row] = v;
}

void NewCityController::dismissKeyboard()
{
    if (editingField_)
        textFieldShouldReturn(editingField_);
    validate();
}

void NewCityController::textFieldDidBeginEditing(ui::TextField* field)
{
    editingField_ = field;
}

bool NewCityController::textFieldShouldReturn(ui::TextField* field)
{
    field->resignFirstResponder();
    if (field == latitudeField_ || field == longitudeField_) {
        latitude_ = latitudeField_ ? latitudeField_->text() : latitude_;
        longitude_ = longitudeField_ ? longitudeField_->text() : longitude_;
        provinceFromCoordinates();
    } else {
        takeName(field);
    }
    validate();
    return true;
}

void NewCityController::textFieldDidChange(ui::TextField* field)
{
    if (field == nameField_)
        showNameLimit();
    validate();
}

void NewCityController::showNameLimit()
{
    if (!nameLimit_ || !nameField_)
        return;
    const bool full = nameField_->text().size() >= kNameLength;
    nameLimit_->setHidden(!full);
    // The field makes room for the word.
    nameField_->setFrame(QRect(0, full ? 2 : 10, 185, 30));
    nameField_->setAccessibleDescription(full ? nameLimit_->text() : QString());
}

double NewCityController::heightForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path)
{
    // The line that says why coordinates: room for it to wrap.
    return path.section == kCoordinatesSection && path.row == kWhyRow ? kWhyHeight : -1;
}

int NewCityController::numberOfSectionsInTableView(ui::TableView*)
{
    return 3;
}

int NewCityController::numberOfRowsInSection(ui::TableView*, int section)
{
    if (section == kCoordinatesSection)
        return kWhyRow + 1;
    return section == 0 ? 2 : kOffsetRows;
}

QString NewCityController::titleForHeaderInSection(ui::TableView*, int section)
{
    if (section == kCoordinatesSection)
        return QStringLiteral("مختصات جغرافیایی (درجه)");
    return section == 0 ? QStringLiteral("") : QStringLiteral("اختلاف تا مرکز استان(دقیقه)       ");
}

ui::TextField* NewCityController::addField(ui::TableViewCell& cell, const QString& text, const QString& placeholder)
{
    return addField(*cell.contentView(), QRect(110, 10, 185, 30), text, placeholder);
}

ui::TextField* NewCityController::addField(ui::View& parent, const QRect& frame, const QString& text, const QString& placeholder)
{
    auto* field = &parent.add<ui::TextField>(frame);
    field->setAdjustsFontSizeToFitWidth(true);
    field->setTextColor(Qt::black);
    field->setPlaceholder(placeholder);
    field->setReturnKeyType(ui::TextField::ReturnKey::Done);
    field->setDelegate(this);
    field->setText(text);
    return field;
}

ui::TableViewCell* NewCityController::cellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path)
{
    if (path.section == 0 && path.row == 0) {
        auto* cell = new ui::TableViewCell;
        cell->textLabel()->setText(QStringLiteral("نام شهر"));
        cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
        // The field is made anew with the cell; it keeps the name typed so far.
        // The field and, under it once the name is as long as a name may
        // be (typed or pasted), a word that says it can grow no longer.
        auto* box = &cell->contentView()->add<ui::View>(QRect(110, 0, 185, 44));
        ui::TextField* field = addField(*box, QRect(0, 10, 185, 30), nameField_ ? nameField_->text() : cityName_, QStringLiteral("بدون نام"));
        field->setAsciiCapableKeyboard(true);
        field->setMaxLength(kNameLength);
        nameField_ = field;
        nameLimit_ = &box->add<ui::Label>(QRect(0, 30, 185, 13));
        nameLimit_->setText(Utility::ConvertToPersian(QStringLiteral("نام شهر بیش از %1 حرف نمی‌گیرد").arg(kNameLength)));
        nameLimit_->setTextFont(ui::font(QStringLiteral("Helvetica"), 10));
        nameLimit_->setTextColor(QColor(195, 56, 61));
        nameLimit_->setTextAlignment(ui::TextAlignment::Right);
        showNameLimit();
        return cell;
    }
    if (path.section == kCoordinatesSection && path.row == kHereRow) {
        // The user's position as the coordinates, with a tap.
        auto* here = new ui::TableViewCell(ui::TableViewCell::Style::Value1, QStringLiteral("here"));
        here->textLabel()->setText(QStringLiteral("مکان من"));
        here->textLabel()->setTextColor(ui::blueColor());
        here->textLabel()->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 15));
        here->detailTextLabel()->setText(hereText_);
        here->detailTextLabel()->setTextFont(ui::font(QStringLiteral("Helvetica"), 12));
        here->setAccessibleName(hereText_.isEmpty() ? QStringLiteral("مکان من، برای مختصات") : QStringLiteral("مکان من، ") + hereText_);
        return here;
    }
    if (path.section == kCoordinatesSection) {
        auto* cell = new ui::TableViewCell;
        cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
        if (path.row == kWhyRow) {
            // Why coordinates are the better way, in one line.
            ui::Label* why = cell->textLabel();
            why->setText(kWhyCoordinates);
            why->setTextFont(ui::font(QStringLiteral("Helvetica"), 12));
            why->setTextColor(ui::grayColor());
            why->setNumberOfLines(0);
            return cell;
        }
        const bool north = path.row == 0;
        cell->textLabel()->setText(north ? QStringLiteral("عرض جغرافیایی") : QStringLiteral("طول جغرافیایی"));
        cell->textLabel()->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 15));
        // The fields keep what was typed when the table is built again; a
        // gap between them and their longer titles.
        ui::TextField* field = addField(*cell->contentView(), QRect(130, 10, 165, 30), north ? (latitudeField_ ? latitudeField_->text() : latitude_) : (longitudeField_ ? longitudeField_->text() : longitude_),
            Utility::ConvertToPersian(north ? QStringLiteral("مثلاً 35٫69") : QStringLiteral("مثلاً 51٫42")));
        (north ? latitudeField_ : longitudeField_) = field;
        return cell;
    }
    if (path.section == 0) {
        auto* cell = new ui::TableViewCell(ui::TableViewCell::Style::Value1, QStringLiteral("asd"));
        cell->textLabel()->setText(QStringLiteral("استان"));
        cell->detailTextLabel()->setText(provinceName_);
        cell->setAccessoryType(ui::TableViewCell::Accessory::DisclosureIndicator);
        return cell;
    }
    const int r = path.row;
    auto* cell = new ui::TableViewCell;
    cell->textLabel()->setText(dayTimeName(static_cast<DayTime>(r)));
    cell->textLabel()->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), kRowFontSize[r]));
    cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
    auto* value = &cell->contentView()->add<ui::Label>(QRect(286, 15, 22, 15));
    value->setTextFont(ui::font(QStringLiteral("Helvetica"), 15));
    value->setTextAlignment(ui::TextAlignment::Center);
    value->setText(Utility::ConvertToPersian(QString::number(difArray_[r])));
    valueLabels_[r] = value;
    auto* slider = &cell->contentView()->add<ui::Slider>(QRect(110, 13, 170, 23));
    slider->setTag(r);
    slider->setMinimumValue(-kMaxOffset);
    slider->setMaximumValue(kMaxOffset);
    slider->setValue(difArray_[r]);
    slider->setContinuous(true);
    slider->addAction(ui::ControlEvent::ValueChanged, [this, slider] { sliderChanged(slider); });
    return cell;
}

void NewCityController::locate()
{
    dismissKeyboard();
    hereText_ = WhereAmI::lookingText();
    tbl_->reloadData();
    WhereAmI::find(
        this,
        [this](const WhereAmI::Found& found) {
            // As a person types degrees: Persian digits and separator.
            auto degrees = [](double value) {
                return Utility::ConvertToPersian(QString::number(value, 'f', kPositionDecimals).replace(QLatin1Char('.'), QChar(0x066B)));
            };
            latitude_ = degrees(found.latitude);
            longitude_ = degrees(found.longitude);
            if (latitudeField_)
                latitudeField_->setText(latitude_);
            if (longitudeField_)
                longitudeField_->setText(longitude_);
            hereText_ = WhereAmI::nearestText(found.nearest);
            provinceFromCoordinates();
            tbl_->reloadData();
            validate();
        },
        [this](const QString& why) {
            hereText_.clear();
            tbl_->reloadData();
            tell(QStringLiteral("مکان شما پیدا نشد"), why);
        });
}

void NewCityController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    if (path.section == kCoordinatesSection && path.row == kHereRow) {
        table->deselectRowAtIndexPath(path, true);
        locate();
        return;
    }
    if (path.section != 0 || path.row != 1)
        return;
    dismissKeyboard();
    if (ui::NavigationController* nav = navigationController()) {
        auto* search = new SearchController(SearchController::kProvincesMode);
        search->setDelegate(this);
        nav->pushViewController(search, true);
        nav->setNavigationBarHidden(true, true);
    }
    table->deselectRowAtIndexPath(path, true);
}
